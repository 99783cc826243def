// The system's message texts for the statuses this platform knows (what FormatMessage gives,
// without the trailing line break).
#pragma once

#include <string>

#include <windef.h>

namespace win32core {

// Empty when the status has no message.
std::wstring SystemMessage(HRESULT hr);

} // namespace win32core
