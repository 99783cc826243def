// CDialog: modal dialogs from templates, with message maps and data exchange.
#include <afxwin.h>

#include <memory>

#include "CommonControls.h"
#include "OccManager.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_pParentWnd(NULL), m_lpszTemplateName(NULL), m_nIDHelp(0), m_lpDialogTemplate(NULL), m_lpDialogInit(NULL),
      m_nModalResult(-1), m_pOccDialogInfo(NULL)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return TRUE;
}

namespace {

// The owner of a dialog or message box: the given window's top-level window, or the active
// window.
HWND SafeOwner(CWnd* pParentWnd)
{
    HWND hWnd = pParentWnd != NULL ? pParentWnd->m_hWnd : ::GetActiveWindow();
    while (hWnd != NULL && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

} // namespace

INT_PTR CDialog::DoModal()
{
    // Dialog templates may name any of the common controls: they are registered first.
    AfxRegisterCommonControls();
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != NULL) {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
        HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
        lpDialogTemplate = hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
    }
    if (lpDialogTemplate == NULL)
        return -1;

    // ActiveX items leave the template and are created with the dialog.
    std::unique_ptr<_AFX_OCC_DIALOG_INFO> occInfo;
    if (COccManager* pOccManager = AfxGetModuleState()->m_pOccManager) {
        occInfo.reset(new _AFX_OCC_DIALOG_INFO);
        lpDialogTemplate = pOccManager->PreCreateDialog(occInfo.get(), lpDialogTemplate);
        if (lpDialogTemplate == NULL)
            return -1;
    }
    m_pOccDialogInfo = occInfo.get();

    m_nModalResult = -1;
    INT_PTR nResult = ::DialogBoxIndirectParamW(
        hInst, lpDialogTemplate, SafeOwner(m_pParentWnd), &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    m_pOccDialogInfo = NULL;
    // The window is gone; an object still attached (no WM_NCDESTROY seen) lets go.
    if (m_hWnd != NULL && !::IsWindow(m_hWnd))
        Detach();
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
        return FALSE;
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE; // the dialog's messages reach the object through its window procedure

    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (pDlg == NULL || !pDlg->SubclassWindow(hWnd))
        return TRUE;
    if (pDlg->m_pOccDialogInfo != NULL) {
        COccManager* pOccManager = AfxGetModuleState()->m_pOccManager;
        const BOOL bCreated = pOccManager == NULL ||
            (pDlg->m_lpDialogInit != NULL
                    ? pOccManager->CreateDlgControls(pDlg, pDlg->m_lpDialogInit, pDlg->m_pOccDialogInfo)
                    : pOccManager->CreateDlgControls(pDlg, pDlg->m_lpszTemplateName, pDlg->m_pOccDialogInfo));
        if (!bCreated) {
            pDlg->EndDialog(-1);
            return FALSE;
        }
    }
    try {
        return pDlg->OnInitDialog();
    } catch (CException* e) {
        // As for any message: a framework exception is reported and the dialog goes on.
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        e->Delete();
        return TRUE;
    }
}
