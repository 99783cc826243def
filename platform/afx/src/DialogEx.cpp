// CDialogEx.
#include <afxdialogex.h>

IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
END_MESSAGE_MAP()

CDialogEx::CDialogEx() : m_clrBackground(static_cast<COLORREF>(-1))
{
}

CDialogEx::CDialogEx(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_clrBackground(static_cast<COLORREF>(-1))
{
}

CDialogEx::CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_clrBackground(static_cast<COLORREF>(-1))
{
}
