// Freed BSTR blocks kept for the next string of about their size, as OLE Automation keeps them
// (its documentation: "Automation may cache the space allocated for BSTRs"; OANOCACHE=1 turns
// the cache off). A thread keeps its own; a block it does not keep goes back to the heap.
#pragma once

#include <cstddef>

namespace win32core {

// The bytes to allocate for a BSTR block of at least this many bytes: blocks come in steps of 16.
constexpr size_t BstrBlockSize(size_t bytes) { return (bytes + 15) & ~static_cast<size_t>(15); }

// A kept block of at least blockSize bytes (from BstrBlockSize) and less than twice that, else
// null.
void* TakeBstrBlock(size_t blockSize);
// Keeps the block for a later TakeBstrBlock, or frees it.
void GiveBstrBlock(void* pBlock, size_t blockSize);

} // namespace win32core
