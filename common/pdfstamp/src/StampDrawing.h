// Lays out and draws stamps onto the pages of a document held in memory.
#pragma once

#include "PdfEdit.h"
#include "pdfstamp/PdfStamp.h"

#include <qpdf/QPDF.hh>

namespace pdfstamp {

// Draws the stamps (and, when given, the watermark on every page) onto the edit's document and
// counts them in `result`. False, with result.error set, only when the document cannot take them at all.
bool DrawStamps(PdfEdit& edit, const std::vector<Stamp>& stamps, const Watermark* watermark, StampResult& result);

} // namespace pdfstamp
