// Icon of a file type in the system's small-icon list, asked without touching the disk.
#include "manager/DocumentSelectDlg.h"

#include <shellapi.h>
#include <shlwapi.h>

int GetFileIconIndex(LPCWSTR lpszNameOrExtension)
{
    LPCWSTR lpszExtension = lpszNameOrExtension;
    if (lpszExtension[0] != L'.')
        lpszExtension = PathFindExtensionW(lpszNameOrExtension);

    SHFILEINFOW sfi = {};
    SHGetFileInfoW(lpszExtension, FILE_ATTRIBUTE_NORMAL, &sfi, sizeof(sfi),
        SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON);
    if (sfi.hIcon != NULL)
        DestroyIcon(sfi.hIcon);
    return sfi.iIcon;
}
