// SignPdf: signs one PDF with the signatures of a document revision, without any window.
#include "commands/Exports.h"

#include "catalogue/LightFileObj.h"
#include "signing/CollectSignatures.h"
#include "signing/SignFile.h"

LONG SignPdf(ULONG nDocID, LPCWSTR lpszClassName, LONG nRevID, LPCWSTR lpszPdfPath)
{
    CLightDocumentRevObj docRev;
    docRev.m_nDocID = nDocID;
    docRev.m_nRevID = nRevID;
    docRev.m_strClassName = lpszClassName;

    HRESULT hr = CollectSignatures(docRev);
    if (SUCCEEDED(hr))
        hr = SignFile(docRev, lpszPdfPath);
    return hr;
}
