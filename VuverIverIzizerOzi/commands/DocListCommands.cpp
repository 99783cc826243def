// The document-list commands: view or download the light files of the selected document.
#include "commands/Exports.h"

#include <comdef.h>

#include <ComRef.h>
#include <QvString.h>

#include "commands/Selection.h"
#include "manager/DocumentSelectDlg.h"
#include "manager/RetrieveLightFile.h"
#include "viewer/ViewFileDlg.h"

namespace {

// A 3D document's viewable light file is its STEP file.
CString GetViewableFileType(const COtlObjectRef& objDocument)
{
    _bstr_t bstrClassName;
    objDocument.GetClassNameW(bstrClassName.GetAddress());
    return CStringHelper::BSTRCompare(bstrClassName, L"3DDocument", 0) == 0 ? L"step" : L"pdf";
}

HRESULT ViewSelectedLightFile(IQvUiContext* pContext, BOOL bDwg)
{
    IQvUiWindowPtr spCommandWindow;
    IQvOtlObjectPtr spObject;
    BOOL bAllowed = FALSE;
    HRESULT hr = GetListSelection(pContext, spCommandWindow, spObject, bAllowed);
    if (FAILED(hr) || !bAllowed)
        return hr;

    COtlObjectRef objDocument(spObject);
    CString strFileType = bDwg ? CString(L"dwg") : GetViewableFileType(objDocument);

    CString strPath;
    RetrieveLightFiles(&objDocument, strFileType, &strPath, CString());
    if (strPath.IsEmpty()) {
        AfxMessageBox(L"获取文件失败");
        return S_OK;
    }

    CViewFileDlg dlg;
    dlg.m_strFilePath = strPath;
    dlg.DoModal();
    return S_OK;
}

} // namespace

HRESULT OnDocListViewLightFile(IQvUiContext* pContext)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return ViewSelectedLightFile(pContext, FALSE);
}

HRESULT OnDocListViewDwgFile(IQvUiContext* pContext)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return ViewSelectedLightFile(pContext, TRUE);
}

HRESULT OnDocListDownLoadLightFile(IQvUiContext* pContext)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());

    IQvUiWindowPtr spCommandWindow;
    IQvOtlObjectPtr spObject;
    BOOL bAllowed = FALSE;
    HRESULT hr = GetListSelection(pContext, spCommandWindow, spObject, bAllowed);
    if (FAILED(hr) || !bAllowed)
        return hr;

    COtlObjectRef objDocument(spObject);

    HWND hWndOwner = NULL;
    spCommandWindow->GetHwnd(&hWndOwner);
    CString strFolder = BrowseForFolder(hWndOwner);
    if (strFolder.IsEmpty())
        return S_OK;

    CString strFileType = GetViewableFileType(objDocument);
    CString strPath;
    hr = RetrieveLightFiles(&objDocument, strFileType, &strPath, strFolder);
    if (FAILED(hr)) {
        AfxMessageBox(L"下载" + strFileType + L"文件失败！");
        return hr;
    }
    hr = RetrieveLightFiles(&objDocument, L"dwg", &strPath, strFolder);
    if (FAILED(hr)) {
        AfxMessageBox(L"下载Dwg文件失败！");
        return hr;
    }
    AfxMessageBox(L"下载完成");
    return S_OK;
}
