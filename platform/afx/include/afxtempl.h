// Collection templates of the framework: CList<TYPE, ARG_TYPE> and CArray<TYPE, ARG_TYPE>.
#pragma once

#include <new>
#include <utility>
#include <vector>

#include "afx.h"
#include "afxplex_.h"

/////////////////////////////////////////////////////////////////////////////
// CList: a doubly linked list of TYPE, its nodes allocated nBlockSize at a time.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override
    {
        RemoveAll();
    }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* pOld = m_pNodeHead;
        TYPE value = pOld->data;
        m_pNodeHead = pOld->pNext;
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = NULL;
        else
            m_pNodeTail = NULL;
        FreeNode(pOld);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pOld = m_pNodeTail;
        TYPE value = pOld->data;
        m_pNodeTail = pOld->pPrev;
        if (m_pNodeTail != NULL)
            m_pNodeTail->pNext = NULL;
        else
            m_pNodeHead = NULL;
        FreeNode(pOld);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement)
    {
        CNode* pNew = NewNode(NULL, m_pNodeHead);
        pNew->data = newElement;
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        m_pNodeHead = pNew;
        return reinterpret_cast<POSITION>(pNew);
    }
    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* pNew = NewNode(m_pNodeTail, NULL);
        pNew->data = newElement;
        if (m_pNodeTail != NULL)
            m_pNodeTail->pNext = pNew;
        else
            m_pNodeHead = pNew;
        m_pNodeTail = pNew;
        return reinterpret_cast<POSITION>(pNew);
    }
    void AddTail(const CList* pNewList)
    {
        for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
            AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            pNode->data.~TYPE();
        m_nCount = 0;
        m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
        if (m_pBlocks != NULL)
            m_pBlocks->FreeDataChain();
        m_pBlocks = NULL;
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        const CNode* pNode = reinterpret_cast<const CNode*>(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<CNode*>(position)->data; }
    const TYPE& GetAt(POSITION position) const { return reinterpret_cast<const CNode*>(position)->data; }

    void RemoveAt(POSITION position)
    {
        CNode* pOld = reinterpret_cast<CNode*>(position);
        if (pOld == m_pNodeHead)
            m_pNodeHead = pOld->pNext;
        else
            pOld->pPrev->pNext = pOld->pNext;
        if (pOld == m_pNodeTail)
            m_pNodeTail = pOld->pPrev;
        else
            pOld->pNext->pPrev = pOld->pPrev;
        FreeNode(pOld);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        const CNode* pNode = startAfter == NULL ? m_pNodeHead : reinterpret_cast<const CNode*>(startAfter)->pNext;
        for (; pNode != NULL; pNode = pNode->pNext)
            if (pNode->data == searchValue)
                return reinterpret_cast<POSITION>(const_cast<CNode*>(pNode));
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return reinterpret_cast<POSITION>(pNode);
    }

protected:
    CNode* NewNode(CNode* pPrev, CNode* pNext)
    {
        if (m_pNodeFree == NULL) {
            CPlex* pNewBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CNode));
            CNode* pNode = static_cast<CNode*>(pNewBlock->data()) + m_nBlockSize - 1;
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pNode--) {
                pNode->pNext = m_pNodeFree;
                m_pNodeFree = pNode;
            }
        }
        CNode* pNode = m_pNodeFree;
        m_pNodeFree = m_pNodeFree->pNext;
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        ::new (static_cast<void*>(&pNode->data)) TYPE();
        m_nCount++;
        return pNode;
    }
    void FreeNode(CNode* pNode)
    {
        pNode->data.~TYPE();
        pNode->pNext = m_pNodeFree;
        m_pNodeFree = pNode;
        m_nCount--;
        if (m_nCount == 0)
            RemoveAll();
    }

    CNode* m_pNodeHead = NULL;
    CNode* m_pNodeTail = NULL;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = NULL;
    CPlex* m_pBlocks = NULL;
    INT_PTR m_nBlockSize;

private:
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CArray: a growable array of TYPE with zero-based indices.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_data.resize(static_cast<size_t>(nNewSize)); }

    void RemoveAll() { m_data.clear(); }

    // An index out of range raises CInvalidArgException.
    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex >= GetSize())
            m_data.resize(Index(nIndex) + 1);
        m_data[Index(nIndex)] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return nOldSize;
    }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex >= GetSize())
            m_data.resize(Index(nIndex));
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

private:
    static size_t Index(INT_PTR nIndex)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};
