#include "FailingTransactions.h"

namespace e2e {

namespace {

class System : public IQvPlmSystem {
public:
    System(IQvPlmSystem* pReal, TransactionFaults& faults) : m_pReal(pReal), m_faults(faults) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        *ppv = nullptr;
        if (iid != IID_IUnknown && iid != __uuidof(IQvPlmSystem))
            return E_NOINTERFACE;
        *ppv = static_cast<IQvPlmSystem*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0) {
            m_pReal->Release();
            delete this;
        }
        return refs;
    }

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** pp) override
    {
        if (m_faults.calls++ < m_faults.failingCalls) {
            *pp = nullptr;
            return m_faults.failure;
        }
        return m_pReal->GetCurTransaction(pp);
    }
    STDMETHODIMP GetGlobalParam(BSTR name, LONG* value) override { return m_pReal->GetGlobalParam(name, value); }
    STDMETHODIMP GetSystemTempPath(BSTR* path) override { return m_pReal->GetSystemTempPath(path); }
    STDMETHODIMP GetSystemConfigPath(BSTR* path) override { return m_pReal->GetSystemConfigPath(path); }
    STDMETHODIMP CheckObjectBehaviorMethod(IQvOtlObject* o, BSTR b, BSTR m, SHORT* allowed) override
    {
        return m_pReal->CheckObjectBehaviorMethod(o, b, m, allowed);
    }
    STDMETHODIMP IsDescendentOrSelfClass(BSTR base, BSTR cls, INT* result) override
    {
        return m_pReal->IsDescendentOrSelfClass(base, cls, result);
    }

private:
    virtual ~System() = default;
    ULONG m_refs = 1;
    IQvPlmSystem* m_pReal;
    TransactionFaults& m_faults;
};

class Factory : public IClassFactory {
public:
    Factory(IClassFactory* pReal, TransactionFaults& faults) : m_pReal(pReal), m_faults(faults) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        *ppv = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0) {
            m_pReal->Release();
            delete this;
        }
        return refs;
    }

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID iid, void** ppv) override
    {
        *ppv = nullptr;
        IQvPlmSystem* pReal = nullptr;
        HRESULT hr = m_pReal->CreateInstance(pOuter, __uuidof(IQvPlmSystem), reinterpret_cast<void**>(&pReal));
        if (FAILED(hr))
            return hr;
        System* pSystem = new System(pReal, m_faults);
        hr = pSystem->QueryInterface(iid, ppv);
        pSystem->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    virtual ~Factory() = default;
    ULONG m_refs = 1;
    IClassFactory* m_pReal; // owned
    TransactionFaults& m_faults;
};

} // namespace

FailingTransactions::FailingTransactions(qvclient::Client& client, TransactionFaults& faults)
{
    IClassFactory* pReal = nullptr;
    if (FAILED(CoGetClassObject(CLSID_QvPlmSystem, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
            reinterpret_cast<void**>(&pReal))))
        return;
    client.RevokeComponents();
    m_pFactory = new Factory(pReal, faults);
    CoRegisterClassObject(CLSID_QvPlmSystem, m_pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    client.RegisterComponents();
}

FailingTransactions::~FailingTransactions()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
    if (m_pFactory)
        m_pFactory->Release();
}

} // namespace e2e
