// Reference counting and interface lookup for the test fakes, and class registrations that put
// a fake behind a client CLSID for the length of a scope.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

#include <objbase.h>

#include <comkit/ComObject.h>

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

// How a registered class answers CreateInstance.
using CreateFunction = std::function<HRESULT(REFIID iid, void** ppv)>;

// A class object registered with CoRegisterClassObject while it lives.
class ClassRegistration {
public:
    ClassRegistration(REFCLSID clsid, CreateFunction create);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

    // Number of CreateInstance calls so far.
    int Creations() const;

private:
    IClassFactory* m_factory;
    DWORD m_cookie;
    int m_creations = 0;
};

} // namespace moduletest
