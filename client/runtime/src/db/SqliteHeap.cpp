#include "SqliteHeap.h"

#include <sqlite3.h>
#include <winenv/Sanitizers.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace qvclient {
namespace {

// SQLite's blocks come from classes of 16 bytes up to 8 KB, carved from 256 KB chunks and
// kept on a free list per class once freed; larger blocks (big texts and blobs) from malloc. Debian's
// SQLite is built without lookaside, so parsing a statement makes and frees a few hundred small
// blocks; in the process heap they land among the client's own objects and run measurably slower
// than in a program that does nothing else.
constexpr std::size_t kGranule = 16;
constexpr std::size_t kLargest = 8192;
constexpr std::size_t kClasses = kLargest / kGranule;
constexpr std::size_t kChunk = 256 * 1024;

// Every block is preceded by its size (16 bytes, to keep the block 16-aligned).
struct alignas(16) Header {
    std::size_t size;
};
static_assert(sizeof(Header) == kGranule);

struct FreeBlock {
    FreeBlock* next;
};

class Heap {
public:
    void* Allocate(std::size_t size)
    {
        const std::size_t rounded = Roundup(size);
        Header* header;
        if (rounded > kLargest) {
            header = static_cast<Header*>(std::malloc(sizeof(Header) + rounded));
            if (!header)
                return nullptr;
        } else {
            Lock lock(m_busy);
            FreeBlock*& head = m_free[rounded / kGranule - 1];
            if (head) {
                header = reinterpret_cast<Header*>(head) - 1;
                head = head->next;
            } else {
                header = Carve(sizeof(Header) + rounded);
                if (!header)
                    return nullptr;
            }
        }
        header->size = rounded;
        return header + 1;
    }

    void Free(void* p)
    {
        if (!p)
            return;
        Header* header = static_cast<Header*>(p) - 1;
        if (header->size > kLargest) {
            std::free(header);
            return;
        }
        Lock lock(m_busy);
        FreeBlock* block = static_cast<FreeBlock*>(p);
        FreeBlock*& head = m_free[header->size / kGranule - 1];
        block->next = head;
        head = block;
    }

    static std::size_t Size(void* p) { return p ? (static_cast<Header*>(p) - 1)->size : 0; }
    static std::size_t Roundup(std::size_t size) { return size == 0 ? kGranule : (size + kGranule - 1) & ~(kGranule - 1); }

private:
    class Lock {
    public:
        explicit Lock(std::atomic_flag& busy) : m_busy(busy)
        {
            while (m_busy.test_and_set(std::memory_order_acquire)) {
            }
        }
        ~Lock() { m_busy.clear(std::memory_order_release); }

    private:
        std::atomic_flag& m_busy;
    };

    Header* Carve(std::size_t bytes)
    {
        if (m_left < bytes) {
            // The chunk's rest is left unused: at most one largest block a chunk.
            m_next = static_cast<char*>(std::malloc(kChunk));
            if (!m_next)
                return nullptr;
            m_left = kChunk;
        }
        Header* header = reinterpret_cast<Header*>(m_next);
        m_next += bytes;
        m_left -= bytes;
        return header;
    }

    std::atomic_flag m_busy = ATOMIC_FLAG_INIT;
    FreeBlock* m_free[kClasses] = {};
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

Heap& TheHeap()
{
    static Heap* heap = new Heap; // never destroyed: SQLite may free after static destructors
    return *heap;
}

void* HeapMalloc(int size) { return TheHeap().Allocate(static_cast<std::size_t>(size)); }
void HeapFree(void* p) { TheHeap().Free(p); }
int HeapSize(void* p) { return static_cast<int>(Heap::Size(p)); }
int HeapRoundup(int size) { return static_cast<int>(Heap::Roundup(static_cast<std::size_t>(size))); }
int HeapInit(void*) { return SQLITE_OK; }
void HeapShutdown(void*) {}

void* HeapRealloc(void* p, int size)
{
    if (Heap::Size(p) == Heap::Roundup(static_cast<std::size_t>(size)))
        return p;
    void* moved = HeapMalloc(size);
    if (moved && p) {
        const std::size_t kept = Heap::Size(p) < Heap::Size(moved) ? Heap::Size(p) : Heap::Size(moved);
        std::memcpy(moved, p, kept);
        HeapFree(p);
    }
    return moved;
}

} // namespace

void UseSqliteHeap()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Sanitizers must see each of SQLite's blocks as a block of its own.
        if (winenv::SanitizersWatchTheHeap())
            return;
        static const sqlite3_mem_methods methods{
            HeapMalloc, HeapFree, HeapRealloc, HeapSize, HeapRoundup, HeapInit, HeapShutdown, nullptr};
        // Only before SQLite starts; a process that started it first keeps SQLite's own.
        sqlite3_config(SQLITE_CONFIG_MALLOC, &methods);
    });
}

} // namespace qvclient
