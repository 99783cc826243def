// CPlex: the blocks in which the framework's lists allocate their nodes, nBlockSize at a time.
#pragma once

#include "afx.h"

struct CPlex {
    CPlex* pNext;

    void* data() { return this + 1; }

    // Links a new block of nMax elements of cbElement bytes in front of pHead.
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement);
    // Frees this block and every block after it.
    void FreeDataChain();
};
