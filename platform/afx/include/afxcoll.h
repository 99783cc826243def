// Collections of the framework: CPtrList (a list of void*) and CStringArray.
#pragma once

#include <vector>

#include "afx.h"
#include "afxplex_.h"

/////////////////////////////////////////////////////////////////////////////
// CPtrList: a doubly linked list of void*, its nodes allocated nBlockSize at a time. The list
// never owns what its elements point to.

class CPtrList : public CObject {
    DECLARE_DYNAMIC(CPtrList)

protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        void* data;
    };

public:
    // Constructors
    explicit CPtrList(INT_PTR nBlockSize = 10);
    ~CPtrList() override;

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The list must not be empty.
    void*& GetHead();

    // Operations
    POSITION AddTail(void* newElement);
    // Frees every node; the list stays usable.
    void RemoveAll();

    // Iteration: GetNext returns the element at rPosition and moves rPosition on (NULL after
    // the last).
    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    void*& GetNext(POSITION& rPosition);
    const void* GetNext(POSITION& rPosition) const;

protected:
    CNode* NewNode(CNode* pPrev, CNode* pNext);

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

private:
    CPtrList(const CPtrList&) = delete;
    CPtrList& operator=(const CPtrList&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CStringArray: a growable array of CString with zero-based indices.

class CStringArray : public CObject {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray();
    ~CStringArray() override;

    // Attributes
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // Operations
    void RemoveAll() { m_data.clear(); }

    // Element access; an index out of range raises CInvalidArgException.
    const CString& GetAt(INT_PTR nIndex) const;
    CString& ElementAt(INT_PTR nIndex);

    // Sets element nIndex, growing the array to nIndex + 1 elements when needed.
    void SetAtGrow(INT_PTR nIndex, LPCWSTR newElement);
    INT_PTR Add(const CString& newElement);

    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

private:
    std::vector<CString> m_data;

    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;
};
