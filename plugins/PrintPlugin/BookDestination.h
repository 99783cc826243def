// The PDF book as a print destination: when the print settings name a book file (environment
// variable PLM_PRINT_BOOK, a path), a print job becomes that one PDF instead of going to a
// printer or the spool folder.
#pragma once

#include <string>
#include <vector>

#include "PrintSpooler.h"

namespace printplugin {

// The book file the settings name (a path as the file system takes it), or empty.
std::string ConfiguredBookPath();

PrintJobResult PrintAsBook(const std::vector<std::string>& posixPaths, const std::string& bookPath);

} // namespace printplugin
