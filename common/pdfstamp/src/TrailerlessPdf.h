// A PDF cut off before its trailer (an interrupted download or copy): its objects are all there
// but qpdf's repair finds no catalog without a trailer.
#pragma once

#include <qpdf/QPDF.hh>

#include <memory>
#include <string>
#include <vector>

namespace pdfstamp {

// Reads the file with a trailer naming its catalog appended in memory. Null when the file has
// no catalog object or cannot be read even so; what was repaired is appended to `warnings`.
std::unique_ptr<QPDF> OpenWithoutTrailer(const std::string& path, std::vector<std::string>& warnings);

} // namespace pdfstamp
