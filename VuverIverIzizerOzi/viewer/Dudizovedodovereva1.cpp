#include "viewer/Dudizovedodovereva1.h"

IMPLEMENT_DYNCREATE(CDudizovedodovereva1, CWnd)

const CLSID& CDudizovedodovereva1::GetClsid()
{
    // {CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}
    static const CLSID clsid = { 0xCB9BBBDA, 0x7B6D, 0x4523, { 0xA6, 0xB3, 0xCC, 0x95, 0xE0, 0xAF, 0x2F, 0x9F } };
    return clsid;
}

BOOL CDudizovedodovereva1::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    // The class name and creation context belong to ordinary windows; the control brings its own.
    return CreateControl(GetClsid(), lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CDudizovedodovereva1::SetViewerMap(LPCTSTR lpszViewerMapPath)
{
    static BYTE parms[] = VTS_BSTR;
    InvokeHelper(3, DISPATCH_METHOD, VT_EMPTY, NULL, parms, lpszViewerMapPath);
}

void CDudizovedodovereva1::OpenFile(LPCTSTR lpszFilePath)
{
    static BYTE parms[] = VTS_BSTR;
    InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, NULL, parms, lpszFilePath);
}
