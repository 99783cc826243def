// CString's buffers: long ones kept per thread for the next string of their size.
#include <afx.h>

#include <new>

namespace {

// Kept sizes: 1 KB to 16 KB in steps of 1 KB, two buffers a step.
constexpr size_t kStep = 1024;
constexpr size_t kSteps = 16;
constexpr size_t kPerStep = 2;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepsBuffers = false; // the sanitizer sees each string's own buffer
#else
constexpr bool kKeepsBuffers = true;
#endif

// Plain data, so that a string given up while the thread ends (by another thread-local
// object's destructor) still finds it.
struct KeptBuffers {
    void* pBuffers[kSteps][kPerStep];
    bool bEnding; // the thread is ending: buffers go back to the heap
};
thread_local KeptBuffers t_kept;

// Gives the kept buffers back to the heap when the thread ends.
struct KeptBuffersOwner {
    ~KeptBuffersOwner()
    {
        t_kept.bEnding = true;
        for (auto& step : t_kept.pBuffers)
            for (void*& pBuffer : step) {
                ::operator delete(pBuffer);
                pBuffer = nullptr;
            }
    }
};
thread_local KeptBuffersOwner t_keptOwner;

// The step of a size that is kept (1 to kSteps), else 0.
size_t StepOf(size_t nBytes)
{
    const size_t nStep = (nBytes + kStep - 1) / kStep;
    return kKeepsBuffers && nBytes >= kStep && nStep <= kSteps && !t_kept.bEnding ? nStep : 0;
}

} // namespace

void* CAfxStringMgr::Allocate(size_t nBytes)
{
    const size_t nStep = StepOf(nBytes);
    if (nStep == 0)
        return ::operator new(nBytes);
    for (void*& pKept : t_kept.pBuffers[nStep - 1])
        if (pKept != nullptr) {
            void* pBuffer = pKept;
            pKept = nullptr;
            return pBuffer;
        }
    return ::operator new(nStep * kStep); // the whole step, so that it serves any size of it later
}

void CAfxStringMgr::Free(void* p, size_t nBytes) noexcept
{
    const size_t nStep = StepOf(nBytes);
    if (nStep != 0) {
        static_cast<void>(&t_keptOwner); // made on a thread's first kept buffer
        for (void*& pKept : t_kept.pBuffers[nStep - 1])
            if (pKept == nullptr) {
                pKept = p;
                return;
            }
    }
    ::operator delete(p);
}
