// The Print and Download buttons: fetch every checked light file, then hand the paths to the
// print plug-in or open the chosen folder.
#include "manager/DocumentSelectDlg.h"

#include <shellapi.h>

#include <ZORRTWrapper.h>
#include <ZORUIWait.h>

#include "manager/HostErrorReport.h"
#include "manager/RetrieveLightFile.h"

typedef int (*PFN_PRINTARRAYFILE)(CStringArray* pFiles);

void CDocumentSelectDlg::OnBnClickedPrint()
{
    m_arrFiles.RemoveAll();

    CPlmSystemRef system;
    HRESULT hr = system.Create();
    if (FAILED(hr)) {
        ReportHostError(hr, HES_PRINT_CREATE_SYSTEM, MB_ICONEXCLAMATION);
        return;
    }
    // Read only to find out whether the system answers; each file decides its watermark itself.
    int nNeedWatermark = 0;
    hr = system.GetZORGlobalParam(WATERMARK_PARAM_NAME, &nNeedWatermark);
    if (FAILED(hr)) {
        ReportHostError(hr, HES_PRINT_READ_WATERMARK_PARAM, MB_ICONEXCLAMATION);
        return;
    }

    HTREEITEM hRoot = m_tree.GetRootItem();
    UINT nCount = 0;
    CountCheckedFiles(hRoot, nCount);

    CPlmWait wait(L"正在准备打印...", 0, nCount, -1, 0);
    wait.BeginWait(NULL, NULL);

    if (!CollectCheckedFiles(hRoot, CString(), wait)) {
        AfxMessageBox(L"打印失败!", MB_OK);
        return;
    }

    HMODULE hPlugin = LoadLibraryW(L"PrintPlugin.dll");
    if (hPlugin != NULL) {
        PFN_PRINTARRAYFILE pfnPrintArrayFile = (PFN_PRINTARRAYFILE)(void*)GetProcAddress(hPlugin, "PrintArrayFile");
        if (pfnPrintArrayFile != NULL)
            pfnPrintArrayFile(&m_arrFiles);
    }
}

void CDocumentSelectDlg::OnBnClickedDownload()
{
    m_arrFiles.RemoveAll();

    HTREEITEM hRoot = m_tree.GetRootItem();
    UINT nCount = 0;
    CountCheckedFiles(hRoot, nCount);

    CString strFolder = BrowseForFolder(GetSafeHwnd());
    if (strFolder.IsEmpty())
        return;

    CPlmWait wait(L"正在导出...", 0, nCount, -1, 0);
    wait.BeginWait(NULL, NULL);

    if (!CollectCheckedFiles(hRoot, strFolder, wait)) {
        AfxMessageBox(L"下载失败!", MB_OK);
        return;
    }

    ShellExecuteW(NULL, L"open", strFolder, NULL, NULL, SW_SHOW);
    MessageBox(L"下载成功!", NULL, MB_OK); // a plain box: AfxMessageBox would add an exclamation mark
}
