// Puts the collected signatures of a revision onto a PDF.
#pragma once

#include <afxwin.h>

class CLightDocumentRevObj;

// S_OK when there is nothing to sign or the signer ran; E_FAIL for a file that is not a PDF or
// when SignPdf.dll cannot be loaded.
HRESULT SignFile(CLightDocumentRevObj& docRev, CString strFilePath);
