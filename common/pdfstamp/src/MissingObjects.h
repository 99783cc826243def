// What a repair could not bring back: objects the document refers to that are not in the file
// (a download cut short loses the pages and fonts written after the cut).
#pragma once

#include <qpdf/QPDF.hh>

#include <string>
#include <vector>

namespace pdfstamp {

// The references ("5 0 R") reachable from the trailer whose objects are missing, in the order
// met, at most `most` of them.
std::vector<std::string> MissingObjects(QPDF& pdf, std::size_t most = 5);

} // namespace pdfstamp
