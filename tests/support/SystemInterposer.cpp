#include "SystemInterposer.h"

#include <comdef.h>
#include <comkit/ClassFactory.h>

namespace viztest {

namespace {

class ForwardingSystem : public comkit::ComObject<IQvPlmSystem> {
public:
    ForwardingSystem(IQvPlmSystemPtr pReal, SystemFaults& faults) : m_pReal(pReal), m_faults(faults) {}

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** pp) override
    {
        if (FAILED(m_faults.transaction) && m_faults.transactionCalls++ < m_faults.failingTransactions) {
            *pp = nullptr;
            return m_faults.transaction;
        }
        return m_pReal->GetCurTransaction(pp);
    }
    STDMETHODIMP GetGlobalParam(BSTR bstrName, LONG* plValue) override
    {
        if (FAILED(m_faults.globalParam))
            return m_faults.globalParam;
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
    IQvPlmSystemPtr m_pReal;
    SystemFaults& m_faults;
};

// Makes the real system and puts a forwarding one in front of it.
HRESULT CreateForwardingSystem(IClassFactory* pReal, SystemFaults& faults, REFIID iid, void** ppv)
{
    *ppv = nullptr;
    ++faults.creations;
    if (FAILED(faults.create))
        return faults.create;
    IQvPlmSystemPtr pSystem;
    HRESULT hr = pReal->CreateInstance(nullptr, __uuidof(IQvPlmSystem), reinterpret_cast<void**>(&pSystem));
    if (FAILED(hr))
        return hr;
    return comkit::CreateComObject<ForwardingSystem>(iid, ppv, pSystem, faults);
}

} // namespace

SystemInterposer::SystemInterposer(qvclient::Client& client, SystemFaults& faults)
{
    IClassFactory* pReal = nullptr;
    if (FAILED(CoGetClassObject(CLSID_QvPlmSystem, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
            reinterpret_cast<void**>(&pReal))))
        return;
    client.RevokeComponents();
    m_pFactory = new comkit::ClassFactory([pReal = IClassFactoryPtr(pReal, false), &faults](REFIID iid, void** ppv) {
        return CreateForwardingSystem(pReal, faults, iid, ppv);
    });
    m_pFactory->AddRef();
    CoRegisterClassObject(CLSID_QvPlmSystem, m_pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    client.RegisterComponents();
}

SystemInterposer::~SystemInterposer()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
    if (m_pFactory)
        m_pFactory->Release();
}

} // namespace viztest
