#include "signing/SignFile.h"

#include <shlwapi.h>
#include <tchar.h>

#include "catalogue/LightFileObj.h"
#include "signing/PdfSigner.h"

HRESULT SignFile(CLightDocumentRevObj& docRev, CString strFilePath)
{
    LPCWSTR lpszExtension = PathFindExtensionW(strFilePath);
    if (docRev.m_lstSignInfo.IsEmpty())
        return S_OK;

    if (_wcsicmp(lpszExtension, L".pdf") == 0) {
        CPdfSigner signer;
        return signer.WriteJobAndSign(strFilePath, docRev) ? S_OK : E_FAIL;
    }
    return E_FAIL;
}
