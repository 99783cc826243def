// CTreeCtrl: the tree view control, one TVM_ message per operation.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    ASSERT(::IsWindow(m_hWnd));
    HIMAGELIST hImageList = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageW(
        m_hWnd, TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), reinterpret_cast<LPARAM>(hImageList))));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_hWnd, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(NULL, TVGN_ROOT);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(NULL, TVGN_CARET);
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(::SendMessageW(m_hWnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(::SendMessageW(m_hWnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(
        ::SendMessageW(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), static_cast<LPARAM>(nStateMask)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    if (!GetItem(&item))
        return 0;
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    UINT uState = GetItemState(hItem, TVIS_STATEIMAGEMASK);
    return static_cast<BOOL>((uState >> 12) - 1);
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    ASSERT(::IsWindow(m_hWnd));
    TVITEM item = {};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = hItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1);
    return SetItem(&item);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_hWnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
    UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    ASSERT(::IsWindow(m_hWnd));
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    ASSERT(::IsWindow(m_hWnd));
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM hItem = HitTest(&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_hWnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
