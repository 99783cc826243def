// One signing job: the signature pictures in the signature folder, the INI job beside the PDF
// and the call of the signing plug-in.
#pragma once

#include <afxwin.h>

class CLightDocumentRevObj;

class CPdfSigner {
public:
    CPdfSigner() {}

    // The temporary folder's "\signature\" (created on first use), ending with a backslash.
    CString& GetSignatureFolder();
    // Fetches the stored picture file into the signature folder unless it is there already.
    HRESULT ExportSignPicture(int nFileID, CString& strPicturePath);
    // TRUE when SignPdf.dll was loaded; the job file is gone again on return.
    BOOL WriteJobAndSign(CString strPdfPath, CLightDocumentRevObj& docRev);

private:
    void WriteTextSignature(LPCWSTR lpszSection, const class CSignInfo& sign, LPCWSTR lpszJobFile);
    void WritePictureSignature(LPCWSTR lpszSection, const class CSignInfo& sign, LPCWSTR lpszJobFile);

    CString m_strSignatureFolder;
};
