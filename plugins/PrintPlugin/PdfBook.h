// One PDF from the files of a print job, in the order given: a contents page (file names and the
// page each starts on), one outline entry per file, then every page of every PDF. Files that are
// not PDFs are listed on the contents page as not included.
#pragma once

#include <string>
#include <vector>

namespace printplugin {

struct BookResult {
    bool ok = false;
    std::string error;   // why no book was written
    int pages = 0;       // pages of the book, the contents included
    int included = 0;    // PDFs in the book
    int notIncluded = 0; // files listed only
};

// Writes the book to `posixTarget` only when it is complete: a PDF that cannot be read, or a book
// that cannot be written, leaves the target as it was and nothing beside it.
BookResult MakePdfBook(const std::vector<std::string>& posixPaths, const std::string& posixTarget);

} // namespace printplugin
