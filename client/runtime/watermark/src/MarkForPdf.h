// The verification mark for a PDF the client delivered, as the stamping library draws it.
#pragma once

#include <pdfstamp/PdfStamp.h>

#include <string>

namespace qvclient {

// Fills `mark` when the client knows the file and the mark is on; otherwise leaves it empty.
void MakeMarkFor(const std::wstring& path, pdfstamp::VerificationMark& mark);

} // namespace qvclient
