#include "BstrCache.h"

#include <cstdlib>

namespace win32core {
namespace {

// Blocks up to 64 KB: a caller makes, frees and makes again strings of a handful of sizes at a
// time (a statement's text, a column name, a value).
constexpr size_t kLargestBlock = 0x10000;

bool CacheOff()
{
    // Sanitizers must see each string's own block, as with OANOCACHE=1.
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
    return true;
#endif
#endif
    const char* psz = std::getenv("OANOCACHE");
    return psz != nullptr && psz[0] == '1';
}

const bool g_bCacheOff = CacheOff();

struct Slot {
    void* pBlock;
    size_t size;
};

// Blocks by the power of two their size rounds up to (16 bytes to 64 KB: 13 classes), a few
// each, so that the many short strings of a row do not push out a statement's long one.
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
    Slot slots[kClasses][kPerClass];
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
                std::free(t_blocks.slots[c][i].pBlock);
            t_blocks.nUsed[c] = 0;
        }
    }
};
thread_local ThreadBlocksRelease t_release;

} // namespace

void* TakeBstrBlock(size_t blockSize)
{
    if (g_bCacheOff || blockSize > kLargestBlock)
        return nullptr;
    const size_t nClass = ClassOf(blockSize);
    Slot* slots = t_blocks.slots[nClass];
    size_t& nUsed = t_blocks.nUsed[nClass];
    // Any block of the class that is large enough: a statement's text is a few characters
    // longer or shorter each time. It is kept again under the size of the string it then holds.
    for (size_t i = nUsed; i-- > 0;)
        if (slots[i].size >= blockSize) {
            void* pBlock = slots[i].pBlock;
            for (size_t k = i + 1; k < nUsed; ++k)
                slots[k - 1] = slots[k];
            --nUsed;
            return pBlock;
        }
    return nullptr;
}

void GiveBstrBlock(void* pBlock, size_t blockSize)
{
    if (g_bCacheOff || blockSize > kLargestBlock || t_blocks.bGone) {
        std::free(pBlock);
        return;
    }
    static_cast<void>(&t_release); // made with the thread's first kept block, to free them at its end
    const size_t nClass = ClassOf(blockSize);
    Slot* slots = t_blocks.slots[nClass];
    size_t& nUsed = t_blocks.nUsed[nClass];
    if (nUsed == kPerClass) {
        // The oldest block of the class makes room, so that the sizes in use lately stay.
        std::free(slots[0].pBlock);
        for (size_t k = 1; k < kPerClass; ++k)
            slots[k - 1] = slots[k];
        --nUsed;
    }
    slots[nUsed++] = {pBlock, blockSize};
}

} // namespace win32core
