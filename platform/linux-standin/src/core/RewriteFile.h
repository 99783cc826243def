// A whole file written again in place, as Windows' profile writer writes an INI file.
#pragma once

#include <string>

namespace win32core {

// Rewrites the file in place after reserving the room its new content needs, so that a full disk
// fails the call before the first byte changes; 0 or the errno. A file that is not there yet, or
// whose file system cannot reserve room, is written atomically (a complete temporary file renamed
// over it) instead. Only an ordinary file is rewritten: a link, FIFO or other special file at the
// path fails the call (RegularFile.h) and stays as it was.
int RewriteFile(const std::string& posixPath, const std::string& content);

} // namespace win32core
