// Common controls of the framework: CImageList and CTreeCtrl.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

/////////////////////////////////////////////////////////////////////////////
// CImageList: owns the HIMAGELIST it holds. The destructor destroys it, so a list shared with
// others (the system image list) is detached before the object goes.

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;

    HIMAGELIST m_hImageList;

    // A temporary object for a list held elsewhere; it never destroys the list.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);

    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

private:
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CTreeCtrl: a tree view control; every operation sends one TVM_ message.

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    // Constructors
    CTreeCtrl() = default;
    ~CTreeCtrl() override = default;

    // Attributes
    // Returns the list the tree used before (a temporary object), or null.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;

    BOOL GetItem(TVITEM* pItem) const;
    BOOL SetItem(TVITEM* pItem);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    DWORD_PTR GetItemData(HTREEITEM hItem) const;

    // Check boxes (TVS_CHECKBOXES): the state image 2 is checked, 1 clear.
    BOOL GetCheck(HTREEITEM hItem) const;
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE);

    // Operations
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
    HTREEITEM InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
        LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);

    // The item at pt (client coordinates); *pFlags receives the TVHT_ part hit.
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
};
