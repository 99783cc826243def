// A PDF file read into memory in one go for qpdf, which otherwise reads it through many small
// seeks and reads.
#pragma once

#include <qpdf/InputSource.hh>

#include <memory>
#include <string>

namespace pdfstamp {

// Reads the file into `bytes` and returns qpdf's input over them: `bytes` must outlive it
// unchanged. Null (with the reason) when the file cannot be read.
std::shared_ptr<InputSource> ReadIntoMemory(const std::string& path, std::string& bytes, std::string& error);

} // namespace pdfstamp
