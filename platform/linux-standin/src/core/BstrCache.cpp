#include "BstrCache.h"

#include <sanitizer/asan_interface.h>

#include <cstdlib>

namespace win32core {
namespace {

// Blocks up to 64 KB: a caller makes, frees and makes again strings of a handful of sizes at a
// time (a statement's text, a column name, a value).
constexpr size_t kLargestBlock = 0x10000;

bool CacheOff()
{
    const char* psz = std::getenv("OANOCACHE");
    return psz != nullptr && psz[0] == '1';
}

const bool g_bCacheOff = CacheOff();

// Blocks by their size, a power of two (16 bytes to 64 KB: 13 classes), a few each, so that
// the many short strings of a row do not push out a statement's long one.
constexpr size_t kClasses = 13;
constexpr size_t kPerClass = 4;

size_t ClassOf(size_t blockSize)
{
    size_t nClass = 0;
    for (size_t n = (blockSize - 1) >> 4; n != 0; n >>= 1)
        ++nClass;
    return nClass;
}

// Trivially destructible, so that a string freed while the thread ends (by another thread-local
// object's destructor) still finds it. Each class holds its oldest block first.
struct ThreadBlocks {
    void* slots[kClasses][kPerClass];
    size_t nUsed[kClasses];
    bool bGone; // the thread is ending: blocks go back to the heap
};
thread_local ThreadBlocks t_blocks;

// Gives the thread's blocks back to the heap when it ends, as the cache's thread detach does.
struct ThreadBlocksRelease {
    ~ThreadBlocksRelease()
    {
        t_blocks.bGone = true;
        for (size_t c = 0; c < kClasses; ++c) {
            for (size_t i = 0; i < t_blocks.nUsed[c]; ++i)
                std::free(t_blocks.slots[c][i]);
            t_blocks.nUsed[c] = 0;
        }
    }
};
thread_local ThreadBlocksRelease t_release;

} // namespace

size_t BstrBlockSize(size_t bytes)
{
    if (g_bCacheOff || bytes > kLargestBlock)
        return bytes;
    size_t size = 16;
    while (size < bytes)
        size <<= 1;
    return size;
}

void* TakeBstrBlock(size_t blockSize)
{
    if (g_bCacheOff || blockSize > kLargestBlock)
        return nullptr;
    const size_t nClass = ClassOf(blockSize);
    size_t& nUsed = t_blocks.nUsed[nClass];
    if (nUsed == 0)
        return nullptr;
    void* pBlock = t_blocks.slots[nClass][--nUsed];
    ASAN_UNPOISON_MEMORY_REGION(pBlock, blockSize);
    return pBlock;
}

void GiveBstrBlock(void* pBlock, size_t blockSize)
{
    if (g_bCacheOff || blockSize > kLargestBlock || t_blocks.bGone) {
        std::free(pBlock);
        return;
    }
    static_cast<void>(&t_release); // made with the thread's first kept block, to free them at its end
    const size_t nClass = ClassOf(blockSize);
    void** slots = t_blocks.slots[nClass];
    size_t& nUsed = t_blocks.nUsed[nClass];
    if (nUsed == kPerClass) {
        // The oldest block of the class makes room.
        std::free(slots[0]);
        for (size_t k = 1; k < kPerClass; ++k)
            slots[k - 1] = slots[k];
        --nUsed;
    }
    // A kept block is out of bounds to AddressSanitizer until it is taken again.
    ASAN_POISON_MEMORY_REGION(pBlock, blockSize);
    slots[nUsed++] = pBlock;
}

} // namespace win32core
