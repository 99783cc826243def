// Objects whose address is their handle (tree items), made in blocks: an object costs no
// allocation of its own, and a handle is checked against the blocks rather than a table of
// every address. A deleted object's slot is reused by a later one, as freed memory is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace win32ui {

template <class T>
class HandlePool {
public:
    HandlePool() = default;
    HandlePool(const HandlePool&) = delete;
    HandlePool& operator=(const HandlePool&) = delete;

    // A new default-made object.
    T* New()
    {
        if (m_free == nullptr)
            AddBlock();
        Slot* slot = m_free;
        m_free = slot->nextFree;
        new (&slot->object) T();
        slot->live = true;
        ++m_count;
        return &slot->object;
    }

    // Ends an object of this pool; the last one gives every block back.
    void Delete(T* object)
    {
        Slot* slot = SlotOf(object);
        if (slot == nullptr)
            return;
        slot->object.~T();
        slot->live = false;
        slot->nextFree = m_free;
        m_free = slot;
        if (--m_count == 0) {
            m_free = nullptr;
            m_blocks.clear();
        }
    }

    // The object if the pointer is a live object of this pool, else null.
    T* Find(const void* p) const
    {
        Slot* slot = SlotOf(p);
        return slot != nullptr ? &slot->object : nullptr;
    }


    template <class F>
    void ForEach(F&& f)
    {
        for (const Block& block : m_blocks)
            for (size_t i = 0; i < kBlockSize; ++i)
                if (block.slots[i].live)
                    f(block.slots[i].object);
    }

private:
    // An object, or while free the next free slot: a free list that costs no memory of its own.
    struct Slot {
        Slot() : nextFree(nullptr) {}
        ~Slot()
        {
            if (live)
                object.~T();
        }
        Slot(const Slot&) = delete;
        Slot& operator=(const Slot&) = delete;
        union {
            T object;
            Slot* nextFree;
        };
        bool live = false;
    };
    static constexpr size_t kBlockSize = 256;
    struct Block {
        std::uintptr_t start;
        std::unique_ptr<Slot[]> slots;
    };

    void AddBlock()
    {
        Block block{0, std::make_unique<Slot[]>(kBlockSize)};
        block.start = reinterpret_cast<std::uintptr_t>(block.slots.get());
        // Blocks sorted by address, so that a handle finds its block by bisection.
        auto at = std::upper_bound(m_blocks.begin(), m_blocks.end(), block.start,
            [](std::uintptr_t a, const Block& b) { return a < b.start; });
        Slot* slots = block.slots.get();
        m_blocks.insert(at, std::move(block));
        for (size_t i = kBlockSize; i-- > 0;) {
            slots[i].nextFree = m_free;
            m_free = &slots[i];
        }
    }

    Slot* SlotOf(const void* p) const
    {
        const auto address = reinterpret_cast<std::uintptr_t>(p);
        auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), address,
            [](std::uintptr_t a, const Block& b) { return a < b.start; });
        if (after == m_blocks.begin())
            return nullptr;
        const Block& block = *(after - 1);
        const size_t index = (address - block.start) / sizeof(Slot);
        if (index >= kBlockSize)
            return nullptr;
        Slot& slot = block.slots[index];
        return slot.live && reinterpret_cast<std::uintptr_t>(&slot.object) == address ? &slot : nullptr;
    }

    std::vector<Block> m_blocks;
    Slot* m_free = nullptr;
    size_t m_count = 0;
};

} // namespace win32ui
