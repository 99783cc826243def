// A whole file written again in place, as Windows' profile writer writes an INI file.
#pragma once

#include <sys/types.h>

#include <string>

#include "FileDescriptor.h"

namespace win32core {

// Rewrites the file open for writing on `fd`, whose size is `oldSize`, in place after reserving the
// room its new content needs, so that a full disk fails the call before the first byte changes;
// closes it; 0 or the errno. A file system that cannot reserve room gets the file at posixPath
// written atomically (a complete temporary file renamed over it) instead. Open the file with
// OpenRegularFile, so that only an ordinary file is rewritten.
int RewriteFile(FileDescriptor& fd, off_t oldSize, const std::string& posixPath, const std::string& content);

} // namespace win32core
