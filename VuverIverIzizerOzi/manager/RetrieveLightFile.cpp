#include "manager/RetrieveLightFile.h"

#include <comdef.h>
#include <shlwapi.h>

#include <ComRef.h>
#include <ZORRTWrapper.h>

#include "catalogue/LightFileObj.h"
#include "catalogue/PlainFileName.h"
#include "manager/HostErrorReport.h"
#include "signing/CollectSignatures.h"
#include "signing/SignFile.h"

const wchar_t WATERMARK_PARAM_NAME[] = L"NEEDWATER_DOWNLOADPDF";

namespace {

// Style of the client's watermark.
const LONG WATERMARK_STYLE = 10;

// Has the client write the light file object's stored file to strLocalPath.
HRESULT DownloadLightFile(const CLightFileObj* pLightFile, const CString& strLocalPath)
{
    if (!IsPlainFileName(pLightFile->m_strName))
        return E_INVALIDARG;

    COtlObjectRef objLightFile;
    objLightFile.RawCreate(L"LightFile");
    objLightFile.SetID(static_cast<ULONG>(pLightFile->m_nObjID));

    IQvOtlObject* pObject = objLightFile.GetOtlObject();
    if (pObject == NULL)
        return E_POINTER;
    IObjectFileContentPtr spContent;
    HRESULT hr = pObject->QueryInterface(__uuidof(IObjectFileContent), reinterpret_cast<void**>(&spContent));
    if (FAILED(hr))
        return hr;
    return spContent->DownloadToFile(_bstr_t(strLocalPath));
}

int ReadWatermarkSwitch()
{
    int nWatermark = 0;
    CPlmSystemRef plmSystem;
    HRESULT hr = plmSystem.Create();
    if (FAILED(hr))
        ReportHostError(hr, HES_RETRIEVE_CREATE_SYSTEM, MB_ICONEXCLAMATION);
    hr = plmSystem.GetZORGlobalParam(WATERMARK_PARAM_NAME, &nWatermark);
    if (FAILED(hr)) {
        ReportHostError(hr, HES_RETRIEVE_READ_WATERMARK_PARAM, MB_ICONEXCLAMATION);
        nWatermark = 0;
    }
    return nWatermark;
}

HRESULT CreateWatermark(IQvPdfWatermarkPtr& spWatermark)
{
    IUnknownPtr spUnknown;
    HRESULT hr = CoCreateInstance(CLSID_QvPdfWatermark, NULL, CLSCTX_ALL, IID_IUnknown,
        reinterpret_cast<void**>(&spUnknown));
    if (FAILED(hr))
        return hr;
    hr = OleRun(spUnknown);
    if (FAILED(hr))
        return hr;
    return spUnknown->QueryInterface(__uuidof(IQvPdfWatermark), reinterpret_cast<void**>(&spWatermark));
}

} // namespace

int RetrieveLightFile(CLightFileObj* pLightFile, CString strFolder, CString& strPath)
{
    if (strFolder.IsEmpty())
        CSystemPathHelper::GetSystemTempPath(strFolder);

    CString strLocalPath;
    strLocalPath.Format(L"%s\\%s", static_cast<LPCWSTR>(strFolder), static_cast<LPCWSTR>(pLightFile->m_strName));

    HRESULT hr = DownloadLightFile(pLightFile, strLocalPath);
    if (FAILED(hr)) {
        CString strMessage;
        strMessage.Format(L"文件(%s)获取失败(%0X)!", static_cast<LPCWSTR>(pLightFile->m_strName), hr);
        AfxMessageBox(strMessage, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!PathFileExistsW(strLocalPath))
        return 0;

    if (pLightFile->m_pDocRev != NULL)
        CollectSignatures(*pLightFile->m_pDocRev);
    strPath = strLocalPath;
    if (pLightFile->m_pDocRev != NULL)
        SignFile(*pLightFile->m_pDocRev, strLocalPath);

    // Read for every file, so that a broken parameter is reported whatever the file type.
    int nWatermark = ReadWatermarkSwitch();
    if (strLocalPath.Right(4).CompareNoCase(L".PDF") != 0)
        return 1;
    if (nWatermark == 0)
        return 1;

    IQvPdfWatermarkPtr spWatermark;
    hr = CreateWatermark(spWatermark);
    if (FAILED(hr)) {
        ReportHostErrorChained(hr, HES_RETRIEVE_CREATE_WATERMARK);
        return 0;
    }
    hr = spWatermark->AddWatermark(_bstr_t(strLocalPath), WATERMARK_STYLE);
    if (FAILED(hr)) {
        ReportHostErrorChained(hr, HES_RETRIEVE_ADD_WATERMARK);
        return 0;
    }
    return 1;
}
