// Shows one local file in the viewer control, maximised.
#pragma once

#include <afxwin.h>
#include <BCGCBProInc.h>

#include "resources/resource.h"
#include "viewer/Dudizovedodovereva1.h"

class CViewFileDlg : public CBCGPDialog {
    DECLARE_DYNAMIC(CViewFileDlg)

public:
    CViewFileDlg(CWnd* pParent = NULL);
    virtual ~CViewFileDlg();

    enum { IDD = IDD_VIEWFILE };

    CString m_strFilePath;
    CDudizovedodovereva1 m_ctrlViewer;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
