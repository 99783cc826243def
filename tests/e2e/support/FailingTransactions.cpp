#include "FailingTransactions.h"

#include <comdef.h>
#include <comkit/ClassFactory.h>

namespace e2e {

namespace {

class System : public comkit::ComObject<IQvPlmSystem> {
public:
    System(IQvPlmSystemPtr pReal, TransactionFaults& faults) : m_pReal(pReal), m_faults(faults) {}

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
    IQvPlmSystemPtr m_pReal;
    TransactionFaults& m_faults;
};

HRESULT CreateSystem(IClassFactory* pReal, TransactionFaults& faults, REFIID iid, void** ppv)
{
    *ppv = nullptr;
    IQvPlmSystemPtr pSystem;
    HRESULT hr = pReal->CreateInstance(nullptr, __uuidof(IQvPlmSystem), reinterpret_cast<void**>(&pSystem));
    if (FAILED(hr))
        return hr;
    return comkit::CreateComObject<System>(iid, ppv, pSystem, faults);
}

} // namespace

FailingTransactions::FailingTransactions(qvclient::Client& client, TransactionFaults& faults)
{
    IClassFactory* pReal = nullptr;
    if (FAILED(CoGetClassObject(CLSID_QvPlmSystem, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
            reinterpret_cast<void**>(&pReal))))
        return;
    client.RevokeComponents();
    m_pFactory = new comkit::ClassFactory([pReal = IClassFactoryPtr(pReal, false), &faults](REFIID iid, void** ppv) {
        return CreateSystem(pReal, faults, iid, ppv);
    });
    m_pFactory->AddRef();
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
