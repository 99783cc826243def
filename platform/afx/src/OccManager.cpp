// COccManager: takes ActiveX items out of a dialog template and creates them as host windows.
//
// Templates keep the Windows binary layout: 16-bit text, items aligned to 4 bytes, either the
// DLGTEMPLATE form or the extended one (DLGTEMPLATEEX, signature 0xFFFF).
#include <afxdisp.h>
#include <atlhost.h>

#include <cstring>
#include <vector>

#include "OccManager.h"

namespace {

WORD ReadWord(const BYTE* p)
{
    WORD w;
    std::memcpy(&w, p, sizeof(w));
    return w;
}

DWORD ReadDword(const BYTE* p)
{
    DWORD dw;
    std::memcpy(&dw, p, sizeof(dw));
    return dw;
}

short ReadShort(const BYTE* p)
{
    short n;
    std::memcpy(&n, p, sizeof(n));
    return n;
}

const BYTE* AlignDword(const BYTE* pBase, const BYTE* p)
{
    size_t offset = static_cast<size_t>(p - pBase);
    return pBase + ((offset + 3) & ~size_t(3));
}

// Skips a string of 16-bit units with its terminator.
const BYTE* SkipString(const BYTE* p)
{
    while (ReadWord(p) != 0)
        p += 2;
    return p + 2;
}

// Skips a name that is empty (0), an ordinal (0xFFFF, n) or a string.
const BYTE* SkipSzOrOrd(const BYTE* p)
{
    WORD w = ReadWord(p);
    if (w == 0x0000)
        return p + 2;
    if (w == 0xFFFF)
        return p + 4;
    return SkipString(p);
}

// A name given as a string (ordinals give an empty one): its UTF-16 units as they are, which is
// what a 16-bit wchar_t holds (joining a pair into one unit would not fit there).
CString ReadSzOrOrd(const BYTE* p)
{
    CString strText;
    WORD w = ReadWord(p);
    if (w == 0x0000 || w == 0xFFFF)
        return strText;
    for (; (w = ReadWord(p)) != 0; p += 2)
        strText += static_cast<wchar_t>(w);
    return strText;
}

struct TemplateLayout {
    bool bExtended;
    size_t cditOffset;  // where the item count is
    size_t headerSize;  // bytes up to the first item (before alignment)
    WORD cdit;
};

TemplateLayout ReadHeader(const BYTE* pBase)
{
    TemplateLayout layout = {};
    layout.bExtended = ReadWord(pBase) == 1 && ReadWord(pBase + 2) == 0xFFFF;
    DWORD dwStyle;
    const BYTE* p;
    if (layout.bExtended) {
        dwStyle = ReadDword(pBase + 12);
        layout.cditOffset = 16;
        p = pBase + 26;
    } else {
        dwStyle = ReadDword(pBase);
        layout.cditOffset = 8;
        p = pBase + 18;
    }
    layout.cdit = ReadWord(pBase + layout.cditOffset);
    p = SkipSzOrOrd(p); // menu
    p = SkipSzOrOrd(p); // window class
    p = SkipString(p);  // title
    if (dwStyle & DS_SETFONT) {
        p += layout.bExtended ? 6 : 2; // point size (weight, italic, charset)
        p = SkipString(p);             // typeface
    }
    layout.headerSize = static_cast<size_t>(p - pBase);
    return layout;
}

void AppendBytes(std::vector<BYTE>& out, const BYTE* p, size_t n)
{
    out.insert(out.end(), p, p + n);
}

void PadToDword(std::vector<BYTE>& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

// The saved state the initialisation data gives the control nID, as the host window's creation
// data: a WORD byte count, then the bytes of the stream after the license key. Entries are
// { WORD id; WORD message; DWORD size; BYTE data[size]; } up to an id of 0; the data of a
// stream entry starts with the license key's length in characters and the key.
BOOL FindControlState(const void* lpResource, int nID, std::vector<BYTE>& state)
{
    if (lpResource == NULL)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    for (WORD nIDC; (nIDC = ReadWord(p)) != 0;) {
        const WORD nMsg = ReadWord(p + 2);
        const DWORD cb = ReadDword(p + 4);
        const BYTE* pData = p + 8;
        p = pData + cb;
        if (nIDC != static_cast<WORD>(nID) || nMsg != WM_OCC_LOADFROMSTREAM || cb < sizeof(ULONG))
            continue;
        const ULONG cchLicKey = ReadDword(pData);
        const size_t cbSkip = sizeof(ULONG) + static_cast<size_t>(cchLicKey) * 2;
        if (cbSkip > cb || cb - cbSkip > 0xFFFF)
            return FALSE;
        const WORD cbState = static_cast<WORD>(cb - cbSkip);
        state.resize(sizeof(WORD) + cbState);
        std::memcpy(state.data(), &cbState, sizeof(WORD));
        std::memcpy(state.data() + sizeof(WORD), pData + cbSkip, cbState);
        return TRUE;
    }
    return FALSE;
}

} // namespace

const DLGTEMPLATE* COccManager::PreCreateDialog(_AFX_OCC_DIALOG_INFO* pOccDialogInfo, const DLGTEMPLATE* pOrigTemplate)
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(pOrigTemplate);
    TemplateLayout layout = ReadHeader(pBase);

    std::vector<BYTE>& out = pOccDialogInfo->newTemplate;
    out.clear();
    pOccDialogInfo->controls.clear();
    AppendBytes(out, pBase, layout.headerSize);

    WORD nKept = 0;
    const BYTE* p = pBase + layout.headerSize;
    for (WORD i = 0; i < layout.cdit; ++i) {
        p = AlignDword(pBase, p);
        const BYTE* pItem = p;
        _AFX_OCC_DIALOG_INFO::ControlItem item = {};
        const BYTE* pClass;
        if (layout.bExtended) {
            item.dwExStyle = ReadDword(p + 4);
            item.dwStyle = ReadDword(p + 8);
            item.rcDialogUnits.left = ReadShort(p + 12);
            item.rcDialogUnits.top = ReadShort(p + 14);
            item.rcDialogUnits.right = item.rcDialogUnits.left + ReadShort(p + 16);
            item.rcDialogUnits.bottom = item.rcDialogUnits.top + ReadShort(p + 18);
            item.nID = static_cast<int>(ReadDword(p + 20));
            pClass = p + 24;
        } else {
            item.dwStyle = ReadDword(p);
            item.dwExStyle = ReadDword(p + 4);
            item.rcDialogUnits.left = ReadShort(p + 8);
            item.rcDialogUnits.top = ReadShort(p + 10);
            item.rcDialogUnits.right = item.rcDialogUnits.left + ReadShort(p + 12);
            item.rcDialogUnits.bottom = item.rcDialogUnits.top + ReadShort(p + 14);
            item.nID = static_cast<short>(ReadWord(p + 16));
            pClass = p + 18;
        }
        CString strClass = ReadSzOrOrd(pClass);
        p = SkipSzOrOrd(pClass); // class
        p = SkipSzOrOrd(p);      // title
        WORD cbExtra = ReadWord(p);
        p += 2 + cbExtra;

        if (!strClass.IsEmpty() && strClass[0] == L'{') {
            item.strClsid = strClass;
            pOccDialogInfo->controls.push_back(item);
        } else {
            PadToDword(out);
            AppendBytes(out, pItem, static_cast<size_t>(p - pItem));
            ++nKept;
        }
    }

    if (pOccDialogInfo->controls.empty()) {
        out.clear();
        return pOrigTemplate;
    }
    std::memcpy(out.data() + layout.cditOffset, &nKept, sizeof(nKept));
    return reinterpret_cast<const DLGTEMPLATE*>(out.data());
}

BOOL COccManager::CreateDlgControls(CWnd* pWndParent, LPCWSTR lpszResourceName, _AFX_OCC_DIALOG_INFO* pOccDialogInfo)
{
    void* lpResource = NULL;
    if (lpszResourceName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
        HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, RT_DLGINIT);
        HGLOBAL hData = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
        lpResource = hData != NULL ? ::LockResource(hData) : NULL;
    }
    return CreateDlgControls(pWndParent, lpResource, pOccDialogInfo);
}

BOOL COccManager::CreateDlgControls(CWnd* pWndParent, void* lpResource, _AFX_OCC_DIALOG_INFO* pOccDialogInfo)
{
    for (const _AFX_OCC_DIALOG_INFO::ControlItem& item : pOccDialogInfo->controls) {
        RECT rc = item.rcDialogUnits;
        ::MapDialogRect(pWndParent->m_hWnd, &rc);
        std::vector<BYTE> state;
        const BOOL bHasState = FindControlState(lpResource, item.nID, state);
        HWND hWnd = ::CreateWindowExW(item.dwExStyle, L"AtlAxWin", item.strClsid, item.dwStyle | WS_CHILD, rc.left,
            rc.top, rc.right - rc.left, rc.bottom - rc.top, pWndParent->m_hWnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.nID)), AfxGetInstanceHandle(),
            bHasState ? state.data() : NULL);
        if (hWnd == NULL)
            return FALSE;
        IUnknown* pUnknown = NULL;
        if (FAILED(::AtlAxGetControl(hWnd, &pUnknown)) || pUnknown == NULL) {
            ::DestroyWindow(hWnd);
            return FALSE;
        }
        pUnknown->Release();
    }
    return TRUE;
}
