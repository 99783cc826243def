// Reading a PDF, with repairs, and replacing it atomically.
#pragma once

#include <qpdf/QPDF.hh>

#include <memory>
#include <string>
#include <vector>

namespace pdfstamp {

// Null (with the reason) when the file is missing or cannot be read even with repairs. What
// reading had to repair is appended to `warnings`. The document reads from `bytes`, the file as
// read, which must outlive it unchanged; they are empty when the document was read otherwise.
std::unique_ptr<QPDF> OpenPdf(
    const std::string& path, std::string& bytes, std::vector<std::string>& warnings, std::string& error);

// Replaces `path` with the document, only ever with a complete file. On any failure, a full disk
// included, `path` is as it was and nothing is left beside it. Warnings while writing (a damaged
// stream copied as it is) are left in `pdf` for the caller to take.
// `made`: the document was made in memory rather than read, and gets an identifier from its content.
bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error, bool made = false);

// Replaces `path` with `bytes` as ReplacePdf does.
bool PutInPlace(const std::string& path, const std::string& bytes, std::string& error);

} // namespace pdfstamp
