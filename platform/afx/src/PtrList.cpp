// CPtrList: a doubly linked list of void* with nodes allocated in blocks.
#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CPtrList, CObject)

CPtrList::CPtrList(INT_PTR nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

CPtrList::~CPtrList()
{
    RemoveAll();
}

void CPtrList::RemoveAll()
{
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

CPtrList::CNode* CPtrList::NewNode(CNode* pPrev, CNode* pNext)
{
    if (m_pNodeFree == NULL) {
        // A new block: its nodes go onto the free list.
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
    pNode->data = NULL;
    m_nCount++;
    return pNode;
}

void CPtrList::FreeNode(CNode* pNode)
{
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    m_nCount--;
    // The last element gone: give the blocks back.
    if (m_nCount == 0)
        RemoveAll();
}

void*& CPtrList::GetHead()
{
    if (m_pNodeHead == NULL)
        AfxThrowInvalidArgException();
    return m_pNodeHead->data;
}

const void* CPtrList::GetHead() const
{
    if (m_pNodeHead == NULL)
        AfxThrowInvalidArgException();
    return m_pNodeHead->data;
}

void*& CPtrList::GetTail()
{
    if (m_pNodeTail == NULL)
        AfxThrowInvalidArgException();
    return m_pNodeTail->data;
}

const void* CPtrList::GetTail() const
{
    if (m_pNodeTail == NULL)
        AfxThrowInvalidArgException();
    return m_pNodeTail->data;
}

POSITION CPtrList::AddHead(void* newElement)
{
    CNode* pNewNode = NewNode(NULL, m_pNodeHead);
    pNewNode->data = newElement;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    m_pNodeHead = pNewNode;
    return reinterpret_cast<POSITION>(pNewNode);
}

POSITION CPtrList::AddTail(void* newElement)
{
    CNode* pNewNode = NewNode(m_pNodeTail, NULL);
    pNewNode->data = newElement;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    m_pNodeTail = pNewNode;
    return reinterpret_cast<POSITION>(pNewNode);
}

void CPtrList::AddHead(CPtrList* pNewList)
{
    // From the tail backwards, so that the new elements keep their order.
    for (POSITION pos = pNewList->GetTailPosition(); pos != NULL;)
        AddHead(pNewList->GetPrev(pos));
}

void CPtrList::AddTail(CPtrList* pNewList)
{
    for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
        AddTail(pNewList->GetNext(pos));
}

void* CPtrList::RemoveHead()
{
    if (m_pNodeHead == NULL)
        AfxThrowInvalidArgException();
    CNode* pOldNode = m_pNodeHead;
    void* returnValue = pOldNode->data;
    m_pNodeHead = pOldNode->pNext;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = NULL;
    else
        m_pNodeTail = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

void* CPtrList::RemoveTail()
{
    if (m_pNodeTail == NULL)
        AfxThrowInvalidArgException();
    CNode* pOldNode = m_pNodeTail;
    void* returnValue = pOldNode->data;
    m_pNodeTail = pOldNode->pPrev;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = NULL;
    else
        m_pNodeHead = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

void*& CPtrList::GetNext(POSITION& rPosition)
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pNext);
    return pNode->data;
}

const void* CPtrList::GetNext(POSITION& rPosition) const
{
    const CNode* pNode = reinterpret_cast<const CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pNext);
    return pNode->data;
}

void*& CPtrList::GetPrev(POSITION& rPosition)
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
    return pNode->data;
}

const void* CPtrList::GetPrev(POSITION& rPosition) const
{
    const CNode* pNode = reinterpret_cast<const CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
    return pNode->data;
}

void*& CPtrList::GetAt(POSITION position)
{
    return reinterpret_cast<CNode*>(position)->data;
}

const void* CPtrList::GetAt(POSITION position) const
{
    return reinterpret_cast<const CNode*>(position)->data;
}

void CPtrList::RemoveAt(POSITION position)
{
    CNode* pOldNode = reinterpret_cast<CNode*>(position);
    if (pOldNode == m_pNodeHead)
        m_pNodeHead = pOldNode->pNext;
    else
        pOldNode->pPrev->pNext = pOldNode->pNext;
    if (pOldNode == m_pNodeTail)
        m_pNodeTail = pOldNode->pPrev;
    else
        pOldNode->pNext->pPrev = pOldNode->pPrev;
    FreeNode(pOldNode);
}

POSITION CPtrList::InsertBefore(POSITION position, void* newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOldNode = reinterpret_cast<CNode*>(position);
    CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);
    pNewNode->data = newElement;
    if (pOldNode->pPrev != NULL)
        pOldNode->pPrev->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    pOldNode->pPrev = pNewNode;
    return reinterpret_cast<POSITION>(pNewNode);
}

POSITION CPtrList::InsertAfter(POSITION position, void* newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOldNode = reinterpret_cast<CNode*>(position);
    CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);
    pNewNode->data = newElement;
    if (pOldNode->pNext != NULL)
        pOldNode->pNext->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    pOldNode->pNext = pNewNode;
    return reinterpret_cast<POSITION>(pNewNode);
}

POSITION CPtrList::Find(void* searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : reinterpret_cast<CNode*>(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (pNode->data == searchValue)
            return reinterpret_cast<POSITION>(pNode);
    return NULL;
}

POSITION CPtrList::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return reinterpret_cast<POSITION>(pNode);
}
