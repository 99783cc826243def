// The client's dialog library: CBCGPDialog, the base of the client's dialogs, with its visual
// manager style. Drawing is the window system's; the dialog records the style it was asked for.
#pragma once

#include "afxtempl.h"
#include "afxwin.h"

class CBCGPDialog : public CDialog {
    DECLARE_DYNAMIC(CBCGPDialog)
public:
    CBCGPDialog();
    explicit CBCGPDialog(UINT nIDTemplate, CWnd* pParent = NULL);
    explicit CBCGPDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CBCGPDialog() override;

    // Draws the dialog (bEnable) and its frame (bNC) with the visual manager; the controls
    // listed in plstNonSubclassedItems keep their own look.
    void EnableVisualManagerStyle(BOOL bEnable = TRUE, BOOL bNC = FALSE,
        const CList<UINT, UINT>* plstNonSubclassedItems = NULL);

    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsVisualManagerNCArea() const { return m_bVisualManagerNCArea; }

protected:
    BOOL m_bVisualManagerStyle;
    BOOL m_bVisualManagerNCArea;
    CList<UINT, UINT> m_lstNonSubclassedItems;

    DECLARE_MESSAGE_MAP()
};
