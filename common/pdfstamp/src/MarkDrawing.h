// The verification mark's pieces: the QR code as a stencil image, its place on a page, the XMP metadata.
#pragma once

#include "PdfEdit.h"
#include "pdfstamp/PdfStamp.h"

#include <string>
#include <utility>
#include <vector>

namespace pdfstamp {

// Quiet zone around the code, in modules: what the QR standard asks for, so scanners find it.
constexpr int kQuietModules = 4;

// The code's modules, row by row from the top (non-zero: dark), and their count on a side; false
// when the text cannot be encoded.
bool EncodeQrCode(const std::string& text, int& modules, std::vector<unsigned char>& dark);

// The code as a 1-bit image mask, one sample a module, the quiet zone included: painted in the
// current fill colour where a module is dark, left as it is elsewhere.
QPDFObjectHandle MakeQrCodeImage(QPDF& pdf, int modules, const std::vector<unsigned char>& dark);

// The lower-left corner of the code's square on a page of the given size (as shown).
std::pair<double, double> MarkOrigin(const VerificationMark& mark, double pageWidth, double pageHeight);

// Puts the packet in as the document's metadata stream, in place of any it had.
void PutMetadata(PdfEdit& edit, const std::string& xmp);

} // namespace pdfstamp
