// CBCGPDialog: the client dialog library's dialog base.
#include <BCGCBProInc.h>

IMPLEMENT_DYNAMIC(CBCGPDialog, CDialog)

BEGIN_MESSAGE_MAP(CBCGPDialog, CDialog)
END_MESSAGE_MAP()

CBCGPDialog::CBCGPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
}

CBCGPDialog::~CBCGPDialog() = default;

void CBCGPDialog::EnableVisualManagerStyle(BOOL, BOOL, const CList<UINT, UINT>*)
{
    if (m_hWnd != NULL)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
