#include "BstrCache.h"

#include <cstdlib>

namespace win32core {
namespace {

// Blocks up to 64 KB, a few per size: a caller makes, frees and makes again strings of a
// handful of sizes at a time (a statement's text, a column name, a value).
constexpr size_t kLargestBlock = 0x10000;
constexpr size_t kSlots = 16;

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

// Trivially destructible, so that a string freed while the thread ends (by another thread-local
// object's destructor) still finds it.
struct ThreadBlocks {
    Slot slots[kSlots];
    size_t nUsed;
    bool bGone; // the thread is ending: blocks go back to the heap
};
thread_local ThreadBlocks t_blocks;

// Gives the thread's blocks back to the heap when it ends, as the cache's thread detach does.
struct ThreadBlocksRelease {
    ~ThreadBlocksRelease()
    {
        for (size_t i = 0; i < t_blocks.nUsed; ++i)
            std::free(t_blocks.slots[i].pBlock);
        t_blocks.nUsed = 0;
        t_blocks.bGone = true;
    }
};
thread_local ThreadBlocksRelease t_release;

} // namespace

void* TakeBstrBlock(size_t blockSize)
{
    if (g_bCacheOff || blockSize > kLargestBlock)
        return nullptr;
    ThreadBlocks& blocks = t_blocks;
    for (size_t i = blocks.nUsed; i-- > 0;)
        if (blocks.slots[i].size == blockSize) {
            void* pBlock = blocks.slots[i].pBlock;
            blocks.slots[i] = blocks.slots[--blocks.nUsed];
            return pBlock;
        }
    return nullptr;
}

void GiveBstrBlock(void* pBlock, size_t blockSize)
{
    ThreadBlocks& blocks = t_blocks;
    if (g_bCacheOff || blockSize > kLargestBlock || blocks.bGone) {
        std::free(pBlock);
        return;
    }
    if (blocks.nUsed == 0)
        static_cast<void>(&t_release); // made once a thread keeps a block, to free it at the end
    if (blocks.nUsed == kSlots) {
        // The oldest block makes room, so that the sizes in use lately stay.
        std::free(blocks.slots[0].pBlock);
        for (size_t i = 1; i < kSlots; ++i)
            blocks.slots[i - 1] = blocks.slots[i];
        --blocks.nUsed;
    }
    blocks.slots[blocks.nUsed++] = {pBlock, blockSize};
}

} // namespace win32core
