#include "signing/PdfSigner.h"

#include <windows.h>
#include <comdef.h>
#include <shlwapi.h>
#include <tchar.h>

#include <ComRef.h>
#include <QvATLHelper.h>
#include <ZORRTWrapper.h>

#include "catalogue/LightFileObj.h"
#include "catalogue/PlainFileName.h"
#include "catalogue/SignInfo.h"
#include "signing/SplitFields.h"

namespace {

// The signing plug-in's entry: PDF path, job file path.
typedef int(WINAPI* PFN_SIGNPDF)(LPCWSTR lpszPdfPath, LPCWSTR lpszJobPath);

// A font description has exactly this many fields when it carries face and size.
const INT_PTR FONT_FIELD_COUNT = 15;

void WriteKey(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszValue, LPCWSTR lpszJobFile)
{
    WritePrivateProfileStringW(lpszSection, lpszKey, lpszValue, lpszJobFile);
}

} // namespace

CString& CPdfSigner::GetSignatureFolder()
{
    if (!m_strSignatureFolder.IsEmpty())
        return m_strSignatureFolder;

    CString strTempPath;
    CSystemPathHelper::GetSystemTempPath(strTempPath);
    CString strFolder = strTempPath + L"\\signature\\";
    CreateDirectoryW(strFolder, NULL);
    m_strSignatureFolder = strFolder;
    return m_strSignatureFolder;
}

HRESULT CPdfSigner::ExportSignPicture(int nFileID, CString& strPicturePath)
{
    try {
        IObjectFileContentPtr spContent;
        {
            IUnknownPtr spUnknown;
            HRESULT hrCreate = CoCreateInstance(CLSID_StoredFile, NULL, CLSCTX_ALL, IID_IUnknown,
                reinterpret_cast<void**>(&spUnknown));
            if (SUCCEEDED(hrCreate) && SUCCEEDED(OleRun(spUnknown)))
                spUnknown->QueryInterface(__uuidof(IObjectFileContent), reinterpret_cast<void**>(&spContent));
        }

        IObjectIdentityPtr spIdentity(spContent);
        spIdentity->SetObjectID(nFileID);

        IQvOtlObjectPtr spObject(spContent);
        COtlObjectRef objFile(spObject);
        _variant_t varName;
        objFile.GetPropertyValue(L"name", &varName);
        CString strName = CVariantHelper::VariantToString(varName);
        if (strName.IsEmpty() || strName.ReverseFind(L'.') < 0)
            strName = L"picture.bmp";
        // The name is appended to the signature folder: one that could leave it is not fetched,
        // and the path stays empty, so the signature is skipped as any failed picture is.
        if (!IsPlainFileName(strName))
            return E_INVALIDARG;

        strPicturePath.Format(L"%s%d%s", static_cast<LPCWSTR>(GetSignatureFolder()), nFileID,
            static_cast<LPCWSTR>(strName));

        // Pictures stay in the signature folder and are reused by later jobs.
        if (!PathFileExistsW(strPicturePath)) {
            HRESULT hr = spContent->DownloadToFile(_bstr_t(strPicturePath));
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    } catch (_com_error& e) {
        return e.Error();
    } catch (...) {
        return E_FAIL;
    }
}

void CPdfSigner::WriteTextSignature(LPCWSTR lpszSection, const CSignInfo& sign, LPCWSTR lpszJobFile)
{
    CStringArray arrLocation;
    SplitFields(sign.m_strNameLocation, arrLocation);
    WriteKey(lpszSection, L"CONTENT", sign.m_strSignContent, lpszJobFile);

    CStringArray arrFont;
    SplitFields(sign.m_strFont, arrFont);
    if (arrFont.GetSize() == FONT_FIELD_COUNT) {
        WriteKey(lpszSection, L"FONT", arrFont[0], lpszJobFile);
        WriteKey(lpszSection, L"FontSize", arrFont[1], lpszJobFile);
    }

    INT_PTR nFields = arrLocation.GetSize();
    if (nFields >= 2) {
        WriteKey(lpszSection, L"X", arrLocation[0], lpszJobFile);
        WriteKey(lpszSection, L"Y", arrLocation[1], lpszJobFile);
    }
    if (nFields >= 4) {
        WriteKey(lpszSection, L"WIDTH", arrLocation[2], lpszJobFile);
        WriteKey(lpszSection, L"HEIGHT", arrLocation[3], lpszJobFile);
    }
    // A placement's own font, unless either part is "0", overrides the signer's.
    if (nFields >= 6 && arrLocation[4] != L"0" && arrLocation[5] != L"0") {
        WriteKey(lpszSection, L"FONT", arrLocation[4], lpszJobFile);
        WriteKey(lpszSection, L"FontSize", arrLocation[5], lpszJobFile);
    }
    if (nFields >= 9) {
        WriteKey(lpszSection, L"COLOR_R", arrLocation[6], lpszJobFile);
        WriteKey(lpszSection, L"COLOR_G", arrLocation[7], lpszJobFile);
        WriteKey(lpszSection, L"COLOR_B", arrLocation[8], lpszJobFile);
    }
    if (nFields >= 10)
        WriteKey(lpszSection, L"Page", arrLocation[9], lpszJobFile);
}

void CPdfSigner::WritePictureSignature(LPCWSTR lpszSection, const CSignInfo& sign, LPCWSTR lpszJobFile)
{
    int nFileID = _wtoi(sign.m_strPictureFileID);
    CString strPicturePath;
    ExportSignPicture(nFileID, strPicturePath);

    CStringArray arrLocation;
    SplitFields(sign.m_strNameLocation, arrLocation);
    INT_PTR nFields = arrLocation.GetSize();
    if (nFields != 2 && nFields != 4)
        return;

    WriteKey(lpszSection, L"IMAGE", strPicturePath, lpszJobFile);
    WriteKey(lpszSection, L"X", arrLocation[0], lpszJobFile);
    WriteKey(lpszSection, L"Y", arrLocation[1], lpszJobFile);
    if (nFields == 4) {
        WriteKey(lpszSection, L"WIDTH", arrLocation[2], lpszJobFile);
        WriteKey(lpszSection, L"HEIGHT", arrLocation[3], lpszJobFile);
    }
}

BOOL CPdfSigner::WriteJobAndSign(CString strPdfPath, CLightDocumentRevObj& docRev)
{
    CString strJobFile;
    strJobFile.Format(L"%s.ini", static_cast<LPCWSTR>(strPdfPath));

    CString strNumber;
    strNumber.Format(L"%d", static_cast<int>(docRev.m_lstSignInfo.GetCount()));
    WriteKey(L"PDFSIGN", L"NUMBER", strNumber, strJobFile);

    // Sections are numbered by list position; formats without a section leave a gap.
    int nSection = 0;
    POSITION pos = docRev.m_lstSignInfo.GetHeadPosition();
    while (pos != NULL) {
        const CSignInfo* pSign = static_cast<const CSignInfo*>(docRev.m_lstSignInfo.GetNext(pos));
        ++nSection;
        if (pSign == NULL)
            continue;
        CString strSection;
        strSection.Format(L"SIGN%d", nSection);
        if (pSign->m_nFormat == 1)
            WriteTextSignature(strSection, *pSign, strJobFile);
        else if (pSign->m_nFormat == 2)
            WritePictureSignature(strSection, *pSign, strJobFile);
    }

    HMODULE hSigner = LoadLibraryW(L"SignPdf.dll");
    if (hSigner == NULL) {
        DeleteFileW(strJobFile);
        return FALSE;
    }
    // The library stays loaded: the signer may keep state between jobs.
    PFN_SIGNPDF pfnSignPdf = reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hSigner, "SignPdf"));
    if (pfnSignPdf != NULL)
        pfnSignPdf(strPdfPath, strJobFile);
    DeleteFileW(strJobFile);
    return TRUE;
}
