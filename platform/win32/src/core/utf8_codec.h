// UTF-8 <-> wide text, one code point per wchar_t. Shared by the code page functions, the trace
// and the path mapping.
#pragma once

#include <string>

namespace win32core {

// Invalid bytes become U+FFFD; *valid (when given) reports whether there were any.
std::wstring DecodeUtf8(const char* text, size_t length, bool* valid = nullptr);
// Values that are not Unicode scalar values (surrogates, > 0x10FFFF) become U+FFFD.
std::string EncodeUtf8(const wchar_t* text, size_t length, bool* valid = nullptr);

} // namespace win32core
