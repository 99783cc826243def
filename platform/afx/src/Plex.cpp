// CPlex: blocks of list nodes.
#include <afxplex_.h>

#include <new>

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    CPlex* p = static_cast<CPlex*>(::operator new(sizeof(CPlex) + nMax * cbElement, std::nothrow));
    if (p == NULL)
        AfxThrowMemoryException();
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p != NULL) {
        CPlex* pNext = p->pNext;
        ::operator delete(p);
        p = pNext;
    }
}
