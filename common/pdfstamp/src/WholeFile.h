// A file read whole, by its UTF-8 name. Only a regular file is read: a device or a pipe could
// block the reader or never end.
#pragma once

#include <string>

namespace pdfstamp {

enum class WholeFile { Read, NotAFile, Unreadable, TooLarge };

WholeFile ReadWholeFile(const std::string& path, std::string& bytes, unsigned long long maxBytes);

} // namespace pdfstamp
