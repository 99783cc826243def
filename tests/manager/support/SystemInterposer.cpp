#include "SystemInterposer.h"

namespace managertest {

namespace {

class ForwardingSystem : public IQvPlmSystem {
public:
    ForwardingSystem(IQvPlmSystem* pReal, SystemFaults* pFaults) : m_pReal(pReal), m_pFaults(pFaults) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid == IID_IUnknown || iid == __uuidof(IQvPlmSystem)) {
            *ppv = static_cast<IQvPlmSystem*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = --m_refs;
        if (n == 0) {
            m_pReal->Release();
            delete this;
        }
        return n;
    }

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** pp) override { return m_pReal->GetCurTransaction(pp); }
    STDMETHODIMP GetGlobalParam(BSTR bstrName, LONG* plValue) override
    {
        if (FAILED(m_pFaults->globalParam))
            return m_pFaults->globalParam;
        return m_pReal->GetGlobalParam(bstrName, plValue);
    }
    STDMETHODIMP GetSystemTempPath(BSTR* p) override { return m_pReal->GetSystemTempPath(p); }
    STDMETHODIMP GetSystemConfigPath(BSTR* p) override { return m_pReal->GetSystemConfigPath(p); }
    STDMETHODIMP CheckObjectBehaviorMethod(IQvOtlObject* o, BSTR b, BSTR m, SHORT* p) override
    {
        return m_pReal->CheckObjectBehaviorMethod(o, b, m, p);
    }
    STDMETHODIMP IsDescendentOrSelfClass(BSTR b, BSTR c, INT* p) override
    {
        return m_pReal->IsDescendentOrSelfClass(b, c, p);
    }

private:
    virtual ~ForwardingSystem() = default;
    ULONG m_refs = 1;
    IQvPlmSystem* m_pReal;
    SystemFaults* m_pFaults;
};

class InterposingFactory : public IClassFactory {
public:
    InterposingFactory(IClassFactory* pReal, SystemFaults* pFaults) : m_pReal(pReal), m_pFaults(pFaults)
    {
        m_pReal->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = --m_refs;
        if (n == 0) {
            m_pReal->Release();
            delete this;
        }
        return n;
    }

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID iid, void** ppv) override
    {
        *ppv = nullptr;
        ++m_pFaults->creations;
        if (FAILED(m_pFaults->create))
            return m_pFaults->create;
        IQvPlmSystem* pReal = nullptr;
        HRESULT hr = m_pReal->CreateInstance(pOuter, __uuidof(IQvPlmSystem), reinterpret_cast<void**>(&pReal));
        if (FAILED(hr))
            return hr;
        ForwardingSystem* pSystem = new ForwardingSystem(pReal, m_pFaults);
        hr = pSystem->QueryInterface(iid, ppv);
        pSystem->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    virtual ~InterposingFactory() = default;
    ULONG m_refs = 1;
    IClassFactory* m_pReal;
    SystemFaults* m_pFaults;
};

} // namespace

SystemInterposer::SystemInterposer(IClassFactory* pReal, SystemFaults* pFaults)
    : m_pFactory(new InterposingFactory(pReal, pFaults))
{
    CoRegisterClassObject(CLSID_QvPlmSystem, m_pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
}

SystemInterposer::~SystemInterposer()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
    m_pFactory->Release();
}

} // namespace managertest
