// Common controls of comctl32: the tree view with check boxes, image lists and the
// notifications they send.
#pragma once

#include "winuser.h"

typedef struct _IMAGELIST* HIMAGELIST;
typedef struct _TREEITEM* HTREEITEM;

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

// ---- notifications ------------------------------------------------------------------------------
#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)

// ---- image lists --------------------------------------------------------------------------------
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001

// ---- tree view ----------------------------------------------------------------------------------
#define WC_TREEVIEWW L"SysTreeView32"
#define WC_TREEVIEW WC_TREEVIEWW

#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000
#define TVS_NOHSCROLL 0x8000

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)
#define INDEXTOOVERLAYMASK(i) ((i) << 8)

#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)

#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

#define TV_FIRST 0x1100
#define TVM_INSERTITEMW (TV_FIRST + 50)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEMW (TV_FIRST + 62)
#define TVM_SETITEMW (TV_FIRST + 63)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_GETITEMSTATE (TV_FIRST + 39)
#define TVM_INSERTITEM TVM_INSERTITEMW
#define TVM_GETITEM TVM_GETITEMW
#define TVM_SETITEM TVM_SETITEMW

#define TVN_FIRST (0U - 400U)
#define TVN_SELCHANGINGW (TVN_FIRST - 50)
#define TVN_SELCHANGEDW (TVN_FIRST - 51)
#define TVN_ITEMEXPANDINGW (TVN_FIRST - 54)
#define TVN_ITEMEXPANDEDW (TVN_FIRST - 55)
#define TVN_DELETEITEMW (TVN_FIRST - 58)
#define TVN_SELCHANGING TVN_SELCHANGINGW
#define TVN_SELCHANGED TVN_SELCHANGEDW
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGW
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDW
#define TVN_DELETEITEM TVN_DELETEITEMW

typedef struct tagTVITEMW {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
} TVITEMW, *LPTVITEMW;

typedef struct tagTVITEMEXW {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
    UINT uStateEx;
    HWND hwnd;
    int iExpandedImage;
    int iReserved;
} TVITEMEXW, *LPTVITEMEXW;

typedef struct tagTVINSERTSTRUCTW {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXW itemex;
        TVITEMW item;
    };
} TVINSERTSTRUCTW, *LPTVINSERTSTRUCTW;

typedef struct tagTVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
} TVHITTESTINFO, *LPTVHITTESTINFO;

typedef struct tagNMTREEVIEWW {
    NMHDR hdr;
    UINT action;
    TVITEMW itemOld;
    TVITEMW itemNew;
    POINT ptDrag;
} NMTREEVIEWW, *LPNMTREEVIEWW;

#define TVITEM TVITEMW
#define LPTVITEM LPTVITEMW
#define TVITEMEX TVITEMEXW
#define TVINSERTSTRUCT TVINSERTSTRUCTW
#define LPTVINSERTSTRUCT LPTVINSERTSTRUCTW
#define NMTREEVIEW NMTREEVIEWW
#define LPNMTREEVIEW LPNMTREEVIEWW
#define TV_ITEM TVITEM
#define TV_INSERTSTRUCT TVINSERTSTRUCT
#define TV_HITTESTINFO TVHITTESTINFO

// Message wrappers, each one message (inline functions rather than macros, so that an unused
// result does not warn).
inline HTREEITEM TreeView_InsertItem(HWND hwnd, const TVINSERTSTRUCTW* lpis)
{
    return (HTREEITEM)SendMessageW(hwnd, TVM_INSERTITEMW, 0, (LPARAM)lpis);
}
inline BOOL TreeView_Expand(HWND hwnd, HTREEITEM hitem, UINT code)
{
    return (BOOL)SendMessageW(hwnd, TVM_EXPAND, (WPARAM)code, (LPARAM)hitem);
}
inline HIMAGELIST TreeView_SetImageList(HWND hwnd, HIMAGELIST himl, int iImage)
{
    return (HIMAGELIST)SendMessageW(hwnd, TVM_SETIMAGELIST, (WPARAM)iImage, (LPARAM)himl);
}
inline HTREEITEM TreeView_GetNextItem(HWND hwnd, HTREEITEM hitem, UINT code)
{
    return (HTREEITEM)SendMessageW(hwnd, TVM_GETNEXTITEM, (WPARAM)code, (LPARAM)hitem);
}
inline HTREEITEM TreeView_GetChild(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_CHILD); }
inline HTREEITEM TreeView_GetNextSibling(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_NEXT); }
inline HTREEITEM TreeView_GetParent(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_PARENT); }
inline HTREEITEM TreeView_GetRoot(HWND hwnd) { return TreeView_GetNextItem(hwnd, NULL, TVGN_ROOT); }
inline HTREEITEM TreeView_GetSelection(HWND hwnd) { return TreeView_GetNextItem(hwnd, NULL, TVGN_CARET); }
inline BOOL TreeView_Select(HWND hwnd, HTREEITEM hitem, UINT code)
{
    return (BOOL)SendMessageW(hwnd, TVM_SELECTITEM, (WPARAM)code, (LPARAM)hitem);
}
inline BOOL TreeView_SelectItem(HWND hwnd, HTREEITEM hitem) { return TreeView_Select(hwnd, hitem, TVGN_CARET); }
inline BOOL TreeView_GetItem(HWND hwnd, TVITEMW* pitem) { return (BOOL)SendMessageW(hwnd, TVM_GETITEMW, 0, (LPARAM)pitem); }
inline BOOL TreeView_SetItem(HWND hwnd, const TVITEMW* pitem) { return (BOOL)SendMessageW(hwnd, TVM_SETITEMW, 0, (LPARAM)pitem); }
inline HTREEITEM TreeView_HitTest(HWND hwnd, TVHITTESTINFO* lpht) { return (HTREEITEM)SendMessageW(hwnd, TVM_HITTEST, 0, (LPARAM)lpht); }
inline UINT TreeView_GetItemState(HWND hwnd, HTREEITEM hti, UINT mask)
{
    return (UINT)SendMessageW(hwnd, TVM_GETITEMSTATE, (WPARAM)hti, (LPARAM)mask);
}
// 0 clear, 1 checked (state image 1 and 2); -1 (all bits set) for an item without a check box.
inline UINT TreeView_GetCheckState(HWND hwnd, HTREEITEM hti) { return (TreeView_GetItemState(hwnd, hti, TVIS_STATEIMAGEMASK) >> 12) - 1; }
inline BOOL TreeView_GetItemRect(HWND hwnd, HTREEITEM hitem, RECT* prc, BOOL code)
{
    *(HTREEITEM*)prc = hitem;
    return (BOOL)SendMessageW(hwnd, TVM_GETITEMRECT, (WPARAM)code, (LPARAM)prc);
}

extern "C" {
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL WINAPI ImageList_Destroy(HIMAGELIST himl);
int WINAPI ImageList_GetImageCount(HIMAGELIST himl);
BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
}

