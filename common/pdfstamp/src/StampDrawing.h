// Lays out and draws stamps onto the pages of a document held in memory.
#pragma once

#include "pdfstamp/PdfStamp.h"

#include <qpdf/QPDF.hh>

namespace pdfstamp {

// Draws the stamps (and, when given, the watermark on every page) and counts them in `result`.
// False, with result.error set, only when the document cannot take them at all.
bool DrawStamps(QPDF& pdf, const std::vector<Stamp>& stamps, const Watermark* watermark, StampResult& result);

} // namespace pdfstamp
