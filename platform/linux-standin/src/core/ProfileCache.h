// The profile functions' last parsed INI file, kept while the file on disk holds the same bytes,
// so that a job written or read key by key is not parsed again, nor copied, for every key (reading
// the bytes costs far less than parsing them). A reader also knows it by its identity and time,
// as the system's profile cache does: while a check of the file finds them as they were, the file
// is not opened at all. Callers hold the profile lock.
#pragma once

#include <sys/stat.h>
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

// The kept document stands for the file at posixPath whose check (lstat) gave `now`: it was read
// from that file when the file had this identity, size and change time, and nothing has written
// through the profile functions since.
bool ProfileUnchanged(const std::string& posixPath, const struct stat& now);

// The kept document, as the last ProfileDocument left it.
const IniDocument& KeptProfileDocument();

// The kept document was read from its file when a check of the opened file gave `info`.
void ProfileReadAs(const struct stat& info);

// The kept document was saved as these bytes.
void ProfileSaved(std::string bytes);

// The kept document was changed but not saved: it no longer stands for the file.
void ForgetProfile();

} // namespace win32core
