// CButton and CStatic.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)

int CButton::GetCheck() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

HICON CButton::SetIcon(HICON hIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(
        ::SendMessageW(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CStatic::SetIcon(HICON hIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0));
}

HICON CStatic::GetIcon() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_GETICON, 0, 0));
}
