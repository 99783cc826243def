// Code page 936 (simplified Chinese, GBK) <-> wide text.
#pragma once

#include <string>

namespace win32core {

// Bytes that form no character become '?'; *valid (when given) reports whether there were any.
std::wstring DecodeCodePage936(const char* text, size_t length, bool* valid = nullptr);
// Characters the code page lacks become `defaultChar`; *usedDefault (when given) reports whether
// there were any.
std::string EncodeCodePage936(const wchar_t* text, size_t length, const std::string& defaultChar, bool* usedDefault = nullptr);

} // namespace win32core
