// A PDF file read into memory in one go for qpdf, which otherwise reads it through many small
// seeks and reads.
#pragma once

#include <qpdf/InputSource.hh>

#include <memory>
#include <string>

namespace pdfstamp {

// Null (with the reason) when the file cannot be read.
std::shared_ptr<InputSource> ReadIntoMemory(const std::string& path, std::string& error);

} // namespace pdfstamp
