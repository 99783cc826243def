// Reading a PDF strictly and replacing it atomically.
#pragma once

#include <qpdf/QPDF.hh>

#include <string>

namespace pdfstamp {

// False (with the reason) when the file is missing, not a PDF, or readable only with repairs.
bool OpenPdf(QPDF& pdf, const std::string& path, std::string& error);

// Replaces `path` with the document, only ever with a complete file. On any failure, including
// a warning while writing or a full disk, `path` is as it was and nothing is left beside it.
bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error);

} // namespace pdfstamp
