// Changes to a page's content: the existing content is closed in q/Q (however unbalanced it
// is), then a form is drawn on top.
#pragma once

#include "PdfEdit.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

namespace pdfstamp {

// Appends "q /Name Do Q" after the page's content, which is wrapped in q ... Q first so that a
// transformation or clip it leaves open does not reach the form.
// `form` is made by the edit's Maker(); the page and what of its resources changed are recorded.
void DrawFormOnPage(PdfEdit& edit, QPDFPageObjectHelper& page, QPDFObjectHandle form);

} // namespace pdfstamp
