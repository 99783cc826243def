// Reference counting and interface lookup for the test fakes, and class registrations that put
// a fake behind a client CLSID for the length of a scope.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

#include <objbase.h>

namespace moduletest {

// IUnknown for fakes: a derived class lists the interfaces it answers in FindInterface.
class FakeUnknown {
public:
    FakeUnknown() = default;
    FakeUnknown(const FakeUnknown&) = delete;
    FakeUnknown& operator=(const FakeUnknown&) = delete;
    virtual ~FakeUnknown() = default;

    ULONG Count() const { return m_refs; }

protected:
    // The interface pointer for iid, or null.
    virtual void* FindInterface(REFIID iid) = 0;
    // The status of a query for an interface the fake does not give.
    virtual HRESULT MissingInterface(REFIID) { return E_NOINTERFACE; }

    HRESULT DoQueryInterface(REFIID iid, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = FindInterface(iid);
        if (*ppv == nullptr)
            return MissingInterface(iid);
        DoAddRef();
        return S_OK;
    }
    ULONG DoAddRef() { return ++m_refs; }
    ULONG DoRelease()
    {
        ULONG n = --m_refs;
        if (n == 0)
            delete this;
        return n;
    }

private:
    ULONG m_refs = 1;
};

#define MODULETEST_IUNKNOWN                                                                          \
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override { return DoQueryInterface(iid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return DoAddRef(); }                                    \
    STDMETHODIMP_(ULONG) Release() override { return DoRelease(); }

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
    struct Factory;
    Factory* m_factory;
    DWORD m_cookie;
};

} // namespace moduletest
