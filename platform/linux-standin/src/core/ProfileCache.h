// The profile functions' last parsed INI file, kept while the file on disk holds the same bytes,
// so that a job written or read key by key is not parsed again, nor copied, for every key (reading
// the bytes costs far less than parsing them). Callers hold the profile lock.
#pragma once

#include <string>

#include "IniDocument.h"

namespace win32core {

// The document the file holds: the kept one while the file still holds the bytes it was parsed
// from, else `scratch` loaded from the file. Valid while the caller holds the lock. `err` is 0, or
// the errno that kept the file from being read (ENOENT: there is none; kNotRegularFile: a link or
// special file, never read); the document is then `scratch`, empty.
const IniDocument& ReadProfile(const std::string& posixPath, IniDocument& scratch, int& err);

// Keeps the document just saved to the file, with the bytes it was saved as.
void RememberProfile(const std::string& posixPath, std::string bytes, const IniDocument& document);

} // namespace win32core
