// The folder picker of the download command.
#include "manager/DocumentSelectDlg.h"

#include <shlobj.h>

CString BrowseForFolder(HWND hOwner)
{
    WCHAR szDisplayName[MAX_PATH] = { 0 };
    WCHAR szPath[MAX_PATH] = { 0 };

    BROWSEINFOW bi = {};
    bi.hwndOwner = hOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = L"Select a folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = NULL;

    LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
    if (pidl != NULL) {
        SHGetPathFromIDListW(pidl, szPath);
        IMalloc* pMalloc = NULL;
        if (SUCCEEDED(SHGetMalloc(&pMalloc))) {
            pMalloc->Free(pidl);
            pMalloc->Release();
        }
    }
    return CString(szPath);
}
