// CDialogEx: the dialog with a background colour and image, here a CDialog under its own name.
#pragma once

#include "afxwin.h"

class CDialogEx : public CDialog {
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx();
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParent = NULL);
    explicit CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);

protected:
    COLORREF m_clrBackground;

    DECLARE_MESSAGE_MAP()
};
