// Freed BSTR blocks kept for the next string of their size class, as OLE Automation keeps them
// (its documentation: "Automation may cache the space allocated for BSTRs"; OANOCACHE=1 turns
// the cache off). A thread keeps its own; a block it does not keep goes back to the heap.
#pragma once

#include <cstddef>

namespace win32core {

// The bytes to allocate for a BSTR block of at least this many bytes: up to 64 KB a power of
// two from 16 on, so that a kept block serves any string of its class; beyond (or with the
// cache off), the bytes themselves.
size_t BstrBlockSize(size_t bytes);

// A kept block of blockSize bytes (from BstrBlockSize), else null.
void* TakeBstrBlock(size_t blockSize);
// Keeps the block for a later TakeBstrBlock, or frees it.
void GiveBstrBlock(void* pBlock, size_t blockSize);

} // namespace win32core
