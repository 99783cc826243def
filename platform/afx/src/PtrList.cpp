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

void*& CPtrList::GetHead()
{
    if (m_pNodeHead == NULL)
        AfxThrowInvalidArgException();
    return m_pNodeHead->data;
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
