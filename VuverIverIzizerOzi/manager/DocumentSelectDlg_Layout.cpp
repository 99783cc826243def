// Keeps the tree and the three buttons in place when the dialog is resized: the buttons sit in
// the bottom-right corner with the Print button's size, 5 pixels apart and from the edges, and the
// tree stretches to 5 pixels above them.
#include "manager/DocumentSelectDlg.h"

#include "resources/resource.h"

void CDocumentSelectDlg::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDialog::OnSize(nType, cx, cy);
    if (!::IsWindow(m_tree.GetSafeHwnd()))
        return;

    CWnd* pPrint = GetDlgItem(IDC_BTN_PRINT);
    CRect rcPrint;
    pPrint->GetWindowRect(&rcPrint);
    const int w = rcPrint.Width();
    const int h = rcPrint.Height();

    CRect rcTree;
    m_tree.GetWindowRect(&rcTree);
    ScreenToClient(&rcTree);
    m_tree.MoveWindow(rcTree.left, rcTree.top, cx - rcTree.left - 5, cy - rcTree.top - h - 10, TRUE);

    const int top = cy - h - 5;
    GetDlgItem(IDCANCEL)->MoveWindow(cx - w - 5, top, w, h, TRUE);
    GetDlgItem(IDC_BTN_DOWNLOAD)->MoveWindow(cx - 2 * w - 10, top, w, h, TRUE);
    pPrint->MoveWindow(cx - 3 * w - 15, top, w, h, TRUE);
}
