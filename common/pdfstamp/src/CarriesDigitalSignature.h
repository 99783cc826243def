// Whether a document carries a digital signature, which any rewrite of its bytes would break.
#pragma once

#include <qpdf/QPDF.hh>

namespace pdfstamp {

// True when a signature field holds a value, or the form says signatures exist.
bool CarriesDigitalSignature(QPDF& pdf);

} // namespace pdfstamp
