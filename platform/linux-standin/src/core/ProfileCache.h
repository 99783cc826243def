// The profile functions' last parsed INI file, kept while the file on disk holds the same bytes,
// so that a job written or read key by key is not parsed again, nor copied, for every key (reading
// the bytes costs far less than parsing them). Callers hold the profile lock.
#pragma once

#include <string>

#include "IniDocument.h"

namespace win32core {

// The document the file holds: the kept one while the file still holds the bytes it was parsed
// from, else `scratch` loaded from the file. Valid while the caller holds the lock. `existed` is
// false when the file does not exist (the document is then empty).
const IniDocument& ReadProfile(const std::string& posixPath, IniDocument& scratch, bool& existed);

// Keeps the document just saved to the file, with the bytes it was saved as.
void RememberProfile(const std::string& posixPath, std::string bytes, const IniDocument& document);

} // namespace win32core
