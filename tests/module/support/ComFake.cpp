#include "ComFake.h"

#include <stdexcept>

namespace moduletest {

struct ClassRegistration::Factory : IClassFactory, FakeUnknown {
    explicit Factory(CreateFunction create) : m_create(std::move(create)) {}

    MODULETEST_IUNKNOWN
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID iid, void** ppv) override
    {
        ++m_creations;
        if (ppv != nullptr)
            *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return m_create(iid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

    void* FindInterface(REFIID iid) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory)
            return static_cast<IClassFactory*>(this);
        return nullptr;
    }

    CreateFunction m_create;
    int m_creations = 0;
};

ClassRegistration::ClassRegistration(REFCLSID clsid, CreateFunction create)
    : m_factory(new Factory(std::move(create)))
    , m_cookie(0)
{
    HRESULT hr = CoRegisterClassObject(clsid, static_cast<IClassFactory*>(m_factory), CLSCTX_INPROC_SERVER,
        REGCLS_MULTIPLEUSE, &m_cookie);
    if (FAILED(hr))
        throw std::runtime_error("CoRegisterClassObject failed");
}

ClassRegistration::~ClassRegistration()
{
    CoRevokeClassObject(m_cookie);
    m_factory->Release();
}

int ClassRegistration::Creations() const { return m_factory->m_creations; }

} // namespace moduletest
