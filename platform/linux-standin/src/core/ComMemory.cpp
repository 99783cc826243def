// The task allocator: CoTaskMem* and the IMalloc that CoGetMalloc gives (one object for the process).
#include <cstdlib>
#include <malloc.h>

#include <objbase.h>

namespace {

class TaskAllocator final : public IMalloc {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == __uuidof(IMalloc)) {
            *ppv = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; } // static lifetime
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(void*) Alloc(SIZE_T cb) override { return std::malloc(cb ? cb : 1); }
    STDMETHODIMP_(void*) Realloc(void* pv, SIZE_T cb) override
    {
        if (pv && cb == 0) {
            std::free(pv);
            return nullptr;
        }
        return std::realloc(pv, cb);
    }
    STDMETHODIMP_(void) Free(void* pv) override { std::free(pv); }
    STDMETHODIMP_(SIZE_T) GetSize(void* pv) override { return pv ? ::malloc_usable_size(pv) : static_cast<SIZE_T>(-1); }
    STDMETHODIMP_(int) DidAlloc(void* pv) override { return pv ? -1 : 0; }
    STDMETHODIMP_(void) HeapMinimize() override {}
};

TaskAllocator g_allocator;

} // namespace

extern "C" LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) { return g_allocator.Alloc(cb); }

extern "C" HRESULT WINAPI CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc)
{
    if (!ppMalloc)
        return E_POINTER;
    if (dwMemContext != 1) { // MEMCTX_TASK
        *ppMalloc = nullptr;
        return E_INVALIDARG;
    }
    *ppMalloc = &g_allocator;
    return S_OK;
}
