// Reading a PDF strictly and replacing it atomically.
#pragma once

#include <qpdf/QPDF.hh>

#include <string>

namespace pdfstamp {

// False (with the reason) when the file is missing, not a PDF, or readable only with repairs.
bool OpenPdf(QPDF& pdf, const std::string& path, std::string& error);

// Writes the document to a temporary file beside `path` and renames it over `path`. On any
// failure, including a warning while writing, the temporary file is removed and `path` is as
// it was.
bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error);

} // namespace pdfstamp
