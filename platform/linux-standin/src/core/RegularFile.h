// Opening a file that must be an ordinary file. Windows has no FIFOs, and what stands for one, or
// for a link, in an NTFS folder is a reparse point the file functions will not open
// (ERROR_CANT_ACCESS_FILE); a folder is refused as access denied. So a link at the last component
// is not followed, nothing blocks on a FIFO, and the type is checked on what was opened.
#pragma once

#include <sys/stat.h>

#include <string>

#include "FileDescriptor.h"

namespace win32core {

// The errno standing for "not an ordinary file": what O_NOFOLLOW gives for a link, and what the
// error translation turns into ERROR_CANT_ACCESS_FILE.
inline constexpr int kNotRegularFile = ELOOP;

// Opens path with flags (O_NOFOLLOW, O_NONBLOCK and O_CLOEXEC added); 0, or the errno: ENOENT when
// there is nothing, EISDIR for a folder, kNotRegularFile for a link, FIFO, socket or device.
// `info` receives what the check read of the opened file (its size), saving the caller a call.
int OpenRegularFile(const std::string& posixPath, int flags, FileDescriptor& fd, struct stat& info);

} // namespace win32core
