// The DWG, PDF and STEP filter boxes: each click re-applies all three boxes to the tree.
#include "manager/DocumentSelectDlg.h"

#include <shlwapi.h>

#include "resources/resource.h"

void CDocumentSelectDlg::OnBnClickedPdf()
{
    m_nPdfCheck = IsDlgButtonChecked(IDC_CHECK_PDF);
    ApplyFilters(m_tree.GetRootItem());
}

void CDocumentSelectDlg::OnBnClickedDwg()
{
    m_nDwgCheck = IsDlgButtonChecked(IDC_CHECK_DWG);
    ApplyFilters(m_tree.GetRootItem());
}

void CDocumentSelectDlg::OnBnClickedStep()
{
    m_nStepCheck = IsDlgButtonChecked(IDC_CHECK_STEP);
    ApplyFilters(m_tree.GetRootItem());
}

void CDocumentSelectDlg::ApplyFilters(HTREEITEM hItem)
{
    if (hItem == NULL)
        return;

    CLightFileObj* pLightFile = (CLightFileObj*)m_tree.GetItemData(hItem);
    if (pLightFile != NULL) {
        const CString strExt = PathFindExtensionW(pLightFile->m_strName);
        if (strExt.CompareNoCase(L".pdf") == 0)
            m_tree.SetCheck(hItem, m_nPdfCheck != 0);
        else if (strExt.CompareNoCase(L".dwg") == 0)
            m_tree.SetCheck(hItem, m_nDwgCheck != 0);
        else if (strExt.CompareNoCase(L".step") == 0)
            m_tree.SetCheck(hItem, m_nStepCheck != 0);
    }

    for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL; hChild = m_tree.GetNextSiblingItem(hChild))
        ApplyFilters(hChild);
}
