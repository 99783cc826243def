// The profile functions' last parsed INI file, kept while the file on disk holds the same bytes,
// so that a job written key by key is not parsed again for every key (reading the bytes costs
// far less than parsing them). Callers hold the profile lock.
#pragma once

#include <string>

#include "IniDocument.h"

namespace win32core {

// Loads the file, from the kept document when the file still holds the bytes it was parsed
// from. False when the file does not exist (the document is then empty).
bool LoadProfile(const std::string& posixPath, IniDocument& document);

// Keeps the document just saved to the file, with the bytes it was saved as.
void RememberProfile(const std::string& posixPath, std::string bytes, const IniDocument& document);

} // namespace win32core
