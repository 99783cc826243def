// COccManager: ActiveX controls in dialog templates. A template item whose class is a CLSID
// ("{...}") is no window class the dialog manager knows, so the item is taken out of the
// template before the dialog is made and created as an "AtlAxWin" host window when the dialog
// window exists. Private to the framework.
#pragma once

#include <vector>

#include <afxwin.h>

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
    // Creates the ActiveX items as host windows of the dialog; FALSE when one could not be made.
    virtual BOOL CreateDlgControls(CWnd* pWndParent, _AFX_OCC_DIALOG_INFO* pOccDialogInfo);
};
