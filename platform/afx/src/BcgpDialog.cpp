// CBCGPDialog: the client dialog library's dialog base.
#include <BCGCBProInc.h>

IMPLEMENT_DYNAMIC(CBCGPDialog, CDialog)

BEGIN_MESSAGE_MAP(CBCGPDialog, CDialog)
END_MESSAGE_MAP()

CBCGPDialog::CBCGPDialog() : m_bVisualManagerStyle(FALSE), m_bVisualManagerNCArea(FALSE)
{
}

CBCGPDialog::CBCGPDialog(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_bVisualManagerStyle(FALSE), m_bVisualManagerNCArea(FALSE)
{
}

CBCGPDialog::CBCGPDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_bVisualManagerStyle(FALSE), m_bVisualManagerNCArea(FALSE)
{
}

CBCGPDialog::~CBCGPDialog() = default;

void CBCGPDialog::EnableVisualManagerStyle(BOOL bEnable, BOOL bNC, const CList<UINT, UINT>* plstNonSubclassedItems)
{
    m_bVisualManagerStyle = bEnable;
    m_bVisualManagerNCArea = bEnable && bNC;
    m_lstNonSubclassedItems.RemoveAll();
    if (plstNonSubclassedItems != NULL)
        m_lstNonSubclassedItems.AddTail(plstNonSubclassedItems);
    if (m_hWnd != NULL)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
