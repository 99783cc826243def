// Reference counting and QueryInterface shared by the client's COM classes. ComObject<I1, I2, ...>
// answers IUnknown and each listed interface; a class adds base interfaces (IQvUiView for
// IQvUiTreeView) by overriding QueryExtra.
#pragma once

#include <atomic>

#include <objbase.h>

namespace qvclient {

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
        if (riid == IID_IUnknown)
            *ppv = static_cast<IUnknown*>(static_cast<First*>(this));
        else if (!Find<First, Rest...>(riid, ppv))
            *ppv = QueryExtra(riid);
        if (*ppv == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }

    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG cRef = --m_cRef;
        if (cRef == 0)
            delete this;
        return cRef;
    }

protected:
    virtual ~ComObject() = default;
    // Further interfaces; the pointer returned is not yet AddRef'd.
    virtual void* QueryExtra(REFIID) { return nullptr; }

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

    std::atomic<ULONG> m_cRef{0};
};

// Makes an object of T and asks it for riid; the object goes away when nobody holds it.
template <class T, class... Args>
HRESULT CreateComObject(REFIID riid, void** ppv, Args&&... args)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    T* pObject = new T(std::forward<Args>(args)...);
    pObject->AddRef();
    const HRESULT hr = pObject->QueryInterface(riid, ppv);
    pObject->Release();
    return hr;
}

} // namespace qvclient
