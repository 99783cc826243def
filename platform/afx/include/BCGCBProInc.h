// The client's dialog library: CBCGPDialog, the base of the client's dialogs. The window system
// draws every dialog one way, so the visual manager style only redraws the dialog.
#pragma once

#include "afxtempl.h"
#include "afxwin.h"

class CBCGPDialog : public CDialog {
    DECLARE_DYNAMIC(CBCGPDialog)
public:
    explicit CBCGPDialog(UINT nIDTemplate, CWnd* pParent = NULL);
    ~CBCGPDialog() override;

    // The client draws the dialog (bEnable) and its frame (bNC) with its visual manager, except
    // the controls listed; here the dialog is redrawn.
    void EnableVisualManagerStyle(BOOL bEnable = TRUE, BOOL bNC = FALSE,
        const CList<UINT, UINT>* plstNonSubclassedItems = NULL);

protected:
    DECLARE_MESSAGE_MAP()
};
