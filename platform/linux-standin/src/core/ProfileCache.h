// The profile functions' last parsed INI file, kept while the file on disk holds the same bytes,
// so that a job written or read key by key is not parsed again, nor copied, for every key (reading
// the bytes costs far less than parsing them). Callers hold the profile lock.
#pragma once

#include <sys/types.h>

#include <string>

#include "IniDocument.h"

namespace win32core {

// The whole file read through a descriptor open on it, whose size the open's check gave; 0 or the
// errno.
int ReadProfileBytes(int fd, off_t size, std::string& bytes);

// The document those bytes of the file hold: the kept one when they are the bytes it was parsed
// from or saved as, else parsed into it. Valid while the caller holds the lock; a writer may
// change it, then tells which way its write went.
IniDocument& ProfileDocument(const std::string& posixPath, std::string bytes);

// The kept document was saved as these bytes.
void ProfileSaved(std::string bytes);

// The kept document was changed but not saved: it no longer stands for the file.
void ForgetProfile();

} // namespace win32core
