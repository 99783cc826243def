// The Windows wide-character format engine.
#pragma once

#include <cstdarg>
#include <string>

namespace win32core {

// Formats with the Windows meaning of the conversions (see win32crt.h). False for a format the
// Windows runtime rejects (an unknown conversion, %n).
bool FormatWide(const wchar_t* format, va_list args, std::wstring& out);

} // namespace win32core
