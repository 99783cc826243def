// COccManager: ActiveX controls in dialog templates. A template item whose class is a CLSID
// ("{...}") is no window class the dialog manager knows, so the item is taken out of the
// template before the dialog is made and created as an "AtlAxWin" host window when the dialog
// window exists. Private to the framework.
#pragma once

#include <vector>

#include <afxwin.h>

// The resource type of dialog initialisation data, and its message that loads a control's state
// from a stream.
#define RT_DLGINIT MAKEINTRESOURCEW(240)
#define WM_OCC_LOADFROMSTREAM 0x0376

struct _AFX_OCC_DIALOG_INFO {
    struct ControlItem {
        DWORD dwStyle;
        DWORD dwExStyle;
        RECT rcDialogUnits;
        int nID;
        CString strClsid;
    };

    std::vector<BYTE> newTemplate;       // the template without the ActiveX items
    std::vector<ControlItem> controls;   // the ActiveX items, in template order
};

class COccManager {
public:
    virtual ~COccManager() = default;

    // The template to give to the dialog manager: pOrigTemplate itself when it holds no
    // ActiveX items, otherwise a copy without them (kept in pOccDialogInfo).
    virtual const DLGTEMPLATE* PreCreateDialog(_AFX_OCC_DIALOG_INFO* pOccDialogInfo, const DLGTEMPLATE* pOrigTemplate);
    // Creates the ActiveX items as host windows of the dialog, each with its saved state from the
    // dialog's initialisation data (RT_DLGINIT of the same name, or the data given); FALSE when one
    // could not be made.
    virtual BOOL CreateDlgControls(CWnd* pWndParent, LPCWSTR lpszResourceName, _AFX_OCC_DIALOG_INFO* pOccDialogInfo);
    virtual BOOL CreateDlgControls(CWnd* pWndParent, void* lpResource, _AFX_OCC_DIALOG_INFO* pOccDialogInfo);
};
