// The manager tree's check boxes, double-click viewing and the walks over checked files.
#include "manager/DocumentSelectDlg.h"

#include "manager/RetrieveLightFile.h"
#include "viewer/ViewFileDlg.h"

void CDocumentSelectDlg::OnNMClickTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    CPoint pt;
    GetCursorPos(&pt);
    m_tree.ScreenToClient(&pt);

    UINT uFlags = 0;
    HTREEITEM hItem = m_tree.HitTest(pt, &uFlags);
    if (hItem != NULL && (uFlags & TVHT_ONITEMSTATEICON) != 0) {
        // The tree toggles the item itself after this handler; its descendants follow the new state.
        const BOOL bNewCheck = !m_tree.GetCheck(hItem);
        SetChildrenCheck(hItem, bNewCheck);
    }
    *pResult = 0;
}

void CDocumentSelectDlg::SetChildrenCheck(HTREEITEM hItem, BOOL bCheck)
{
    for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL; hChild = m_tree.GetNextSiblingItem(hChild)) {
        m_tree.SetCheck(hChild, bCheck);
        SetChildrenCheck(hChild, bCheck);
    }
}

void CDocumentSelectDlg::OnNMDblclkTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;

    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem == NULL)
        return;
    CLightFileObj* pLightFile = (CLightFileObj*)m_tree.GetItemData(hItem);
    if (pLightFile == NULL)
        return;

    CString strPath;
    if (!RetrieveLightFile(pLightFile, CString(), strPath))
        return;

    CViewFileDlg dlg;
    dlg.m_strFilePath = strPath;
    dlg.DoModal();
}

void CDocumentSelectDlg::CountCheckedFiles(HTREEITEM hItem, UINT& nCount)
{
    for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL; hChild = m_tree.GetNextSiblingItem(hChild)) {
        if (m_tree.GetCheck(hChild) && m_tree.GetItemData(hChild) != 0)
            ++nCount;
        CountCheckedFiles(hChild, nCount);
    }
}

BOOL CDocumentSelectDlg::CollectCheckedFiles(HTREEITEM hItem, CString strFolder, CPlmWait& wait)
{
    for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL; hChild = m_tree.GetNextSiblingItem(hChild)) {
        CLightFileObj* pLightFile = (CLightFileObj*)m_tree.GetItemData(hChild);
        if (m_tree.GetCheck(hChild) && pLightFile != NULL) {
            wait.Step();
            // A file that cannot be fetched has been reported by the retrieval; the walk goes on.
            CString strPath;
            if (RetrieveLightFile(pLightFile, strFolder, strPath))
                m_arrFiles.Add(strPath);
        }
        CollectCheckedFiles(hChild, strFolder, wait);
    }
    return TRUE;
}
