// Wrapper of the PLM system's viewer ActiveX control.
#pragma once

#include <afxwin.h>
#include <afxdisp.h>

class CDudizovedodovereva1 : public CWnd {
    DECLARE_DYNCREATE(CDudizovedodovereva1)

public:
    CLSID const& GetClsid();
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CCreateContext* pContext = NULL);

    // Dispatch 3: the viewer map file; dispatch 1: the file to show.
    void SetViewerMap(LPCTSTR lpszViewerMapPath);
    void OpenFile(LPCTSTR lpszFilePath);
};
