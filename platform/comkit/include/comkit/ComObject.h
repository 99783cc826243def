// IUnknown for a COM class, written once: ComObject<I1, I2, ...> counts references and answers
// IUnknown and each listed interface by its __uuidof. An object lives on the heap and deletes
// itself when its last reference goes.
#pragma once

#include <new>
#include <utility>

#include <windows.h>
#include <objbase.h>

namespace comkit {

template <class First, class... Rest>
class ComObject : public First, public Rest... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        HRESULT hr = S_OK;
        if (riid == IID_IUnknown)
            *ppv = static_cast<IUnknown*>(static_cast<First*>(this));
        else if (!Find<First, Rest...>(riid, ppv))
            hr = QueryOther(riid, ppv);
        if (FAILED(hr) || *ppv == nullptr) {
            *ppv = nullptr;
            return FAILED(hr) ? hr : E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_cRef)); }

    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG cRef = InterlockedDecrement(&m_cRef);
        if (cRef == 0)
            FinalRelease();
        return static_cast<ULONG>(cRef);
    }

protected:
    virtual ~ComObject() = default;

    // What the last Release does; an object whose owner is not COM (a test's) keeps itself.
    virtual void FinalRelease() { delete this; }

    // Interfaces the list does not name (a base of a listed one), or a query that must fail with
    // another status: sets *ppv without AddRef, or returns the failure.
    virtual HRESULT QueryOther(REFIID riid, void** ppv) { return E_NOINTERFACE; }

private:
    template <class I, class... More>
    bool Find(REFIID riid, void** ppv)
    {
        if (riid == __uuidof(I)) {
            *ppv = static_cast<I*>(this);
            return true;
        }
        if constexpr (sizeof...(More) > 0)
            return Find<More...>(riid, ppv);
        return false;
    }

    LONG m_cRef = 0;
};

// Makes an object of T and asks it for riid; the object goes away when nobody holds it.
template <class T, class... Args>
HRESULT CreateComObject(REFIID riid, void** ppv, Args&&... args)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    T* pObject = new (std::nothrow) T(std::forward<Args>(args)...);
    if (pObject == nullptr)
        return E_OUTOFMEMORY;
    pObject->AddRef();
    const HRESULT hr = pObject->QueryInterface(riid, ppv);
    pObject->Release();
    return hr;
}

} // namespace comkit
