// Reference counting and interface lookup for the test fakes, and class registrations that put
// a fake behind a client CLSID for the length of a scope.
#pragma once

#include <utility>

#include <objbase.h>

#include <comkit/ComObject.h>

#include "ClassRegistration.h"

namespace moduletest {

// The base of the fakes: the kit's IUnknown over the interfaces I..., the creator holding the
// first reference, and a way to make a query for one of them fail.
template <class... I>
class FakeUnknown : public comkit::ComObject<I...> {
public:
    FakeUnknown() { this->AddRef(); }

    ULONG Count()
    {
        this->AddRef();
        return this->Release();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        const HRESULT hr = Refusal(iid);
        if (FAILED(hr) && ppv != nullptr)
            *ppv = nullptr;
        return FAILED(hr) ? hr : comkit::ComObject<I...>::QueryInterface(iid, ppv);
    }

protected:
    // A failure makes the query for iid fail with it.
    virtual HRESULT Refusal(REFIID iid) { return S_OK; }
};

// Owns one reference on a fake; the fake itself may outlive the holder while others hold it.
template <class T>
class FakeRef {
public:
    FakeRef() : m_p(nullptr) {}
    explicit FakeRef(T* p) : m_p(p) {} // takes over the creation reference
    FakeRef(const FakeRef& o) : m_p(o.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    FakeRef& operator=(FakeRef o)
    {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~FakeRef()
    {
        if (m_p)
            m_p->Release();
    }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p;
};

template <class T, class... Args>
FakeRef<T> MakeFake(Args&&... args)
{
    return FakeRef<T>(new T(std::forward<Args>(args)...));
}

// Hands a fake (or an object) out through an out pointer, with a reference of its own, or null
// when there is none; returns the status given.
template <class I, class P>
HRESULT HandOut(P* p, I** pp, HRESULT status)
{
    *pp = p;
    if (p)
        p->AddRef();
    return status;
}
template <class I, class T>
HRESULT HandOut(const FakeRef<T>& fake, I** pp, HRESULT status)
{
    return HandOut(fake ? static_cast<I*>(fake.get()) : nullptr, pp, status);
}

using viztest::ClassRegistration;
using viztest::CreateFunction;

} // namespace moduletest
