// qpdf's warnings about a document, taken out of it as lines for the trace.
#pragma once

#include <qpdf/QPDF.hh>

#include <string>
#include <vector>

namespace pdfstamp {

// Moves the warnings `pdf` holds into `lines`; a long list of repairs is cut short with a count.
void TakeWarnings(QPDF& pdf, std::vector<std::string>& lines);

} // namespace pdfstamp
