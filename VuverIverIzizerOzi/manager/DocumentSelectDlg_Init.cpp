// The manager dialog's message map, data exchange, start-up and shutdown.
#include "manager/DocumentSelectDlg.h"

#include <shellapi.h>

#include <QvString.h>
#include <QvATLHelper.h>

#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CDocumentSelectDlg, CBCGPDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_BTN_PRINT, &CDocumentSelectDlg::OnBnClickedPrint)
    ON_BN_CLICKED(IDC_BTN_DOWNLOAD, &CDocumentSelectDlg::OnBnClickedDownload)
    ON_NOTIFY(NM_DBLCLK, IDC_TREE_LIGHTFILES, &CDocumentSelectDlg::OnNMDblclkTree)
    ON_NOTIFY(NM_CLICK, IDC_TREE_LIGHTFILES, &CDocumentSelectDlg::OnNMClickTree)
    ON_BN_CLICKED(IDC_CHECK_PDF, &CDocumentSelectDlg::OnBnClickedPdf)
    ON_BN_CLICKED(IDC_CHECK_DWG, &CDocumentSelectDlg::OnBnClickedDwg)
    ON_BN_CLICKED(IDC_CHECK_STEP, &CDocumentSelectDlg::OnBnClickedStep)
END_MESSAGE_MAP()

void CDocumentSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREE_LIGHTFILES, m_tree);
}

// Inserts a structure node as the first root item, labelled with the object's "name".
static HTREEITEM InsertRootNode(CTreeCtrl& tree, LPCWSTR lpszLabel, int nIcon)
{
    return tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, lpszLabel, nIcon, nIcon, 0, 0, 0,
        TVI_ROOT, TVI_FIRST);
}

BOOL CDocumentSelectDlg::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, NULL);

    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_DOCUMENTSELECT));
    SetIcon(hIcon, TRUE);
    SetIcon(hIcon, FALSE);

    // Toggling the style makes the tree build its check-box state images afresh.
    m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
    m_tree.ModifyStyle(0, TVS_CHECKBOXES);

    SHFILEINFOW sfi = {};
    HIMAGELIST hSysImageList =
        (HIMAGELIST)SHGetFileInfoW(L"C:\\", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    m_imageList.Attach(hSysImageList);
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);

    WCHAR szSystemDir[MAX_PATH] = { 0 };
    GetSystemDirectoryW(szSystemDir, MAX_PATH);
    SHFILEINFOW sfiFolder = {};
    SHGetFileInfoW(szSystemDir, FILE_ATTRIBUTE_NORMAL, &sfiFolder, sizeof(sfiFolder), SHGFI_ICON | SHGFI_SMALLICON);
    m_nFolderIcon = sfiFolder.iIcon;
    if (sfiFolder.hIcon != NULL)
        DestroyIcon(sfiFolder.hIcon);

    if (m_pRootObject != NULL) {
        BSTR bstrClassName = NULL;
        m_pRootObject->GetClassNameW(&bstrClassName);
        const bool bFolder = CStringHelper::BSTRCompare(bstrClassName, L"Folder", 0) == 0
            || CStringHelper::BSTRCompare(bstrClassName, L"FolderOfProduct", 0) == 0
            || CStringHelper::BSTRCompare(bstrClassName, L"3DFolder", 0) == 0;
        const bool bPart = CStringHelper::BSTRCompare(bstrClassName, L"Part", 0) == 0;
        SysFreeString(bstrClassName);

        if (bFolder || bPart) {
            VARIANT varName;
            VariantInit(&varName);
            m_pRootObject->GetPropertyValue(L"name", &varName);
            CString strName = CVariantHelper::VariantToString(varName);
            VariantClear(&varName);

            HTREEITEM hRoot = InsertRootNode(m_tree, strName, m_nFolderIcon);
            if (bFolder)
                FillFolderNode(m_pRootObject, hRoot);
            else
                FillProductNode(m_pRootObject, hRoot);
        }
    }

    if (!m_lstFlowItems.empty()) {
        HTREEITEM hAssociated = InsertRootNode(m_tree, L"关联文件", m_nFolderIcon);
        FillAssociatedFiles(hAssociated);
    }

    return TRUE;
}

void CDocumentSelectDlg::OnDestroy()
{
    // The system small-icon list is shared by the whole process: hand it back instead of letting
    // the image list destroy it.
    m_tree.SetImageList(NULL, TVSIL_NORMAL);
    m_imageList.Detach();
    CBCGPDialog::OnDestroy();
}
