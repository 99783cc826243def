#include "SystemInterposer.h"

#include <comdef.h>
#include <comkit/ClassFactory.h>

namespace managertest {

namespace {

class ForwardingSystem : public comkit::ComObject<IQvPlmSystem> {
public:
    ForwardingSystem(IQvPlmSystemPtr pReal, SystemFaults* pFaults) : m_pReal(pReal), m_pFaults(pFaults) {}

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
    IQvPlmSystemPtr m_pReal;
    SystemFaults* m_pFaults;
};

// Makes the real system and puts a forwarding one in front of it.
HRESULT CreateForwardingSystem(IClassFactory* pReal, SystemFaults* pFaults, REFIID iid, void** ppv)
{
    *ppv = nullptr;
    ++pFaults->creations;
    if (FAILED(pFaults->create))
        return pFaults->create;
    IQvPlmSystemPtr pSystem;
    HRESULT hr = pReal->CreateInstance(nullptr, __uuidof(IQvPlmSystem), reinterpret_cast<void**>(&pSystem));
    if (FAILED(hr))
        return hr;
    return comkit::CreateComObject<ForwardingSystem>(iid, ppv, pSystem, pFaults);
}

} // namespace

SystemInterposer::SystemInterposer(IClassFactory* pReal, SystemFaults* pFaults)
    : m_pFactory(new comkit::ClassFactory([pReal = IClassFactoryPtr(pReal), pFaults](REFIID iid, void** ppv) {
        return CreateForwardingSystem(pReal, pFaults, iid, ppv);
    }))
{
    m_pFactory->AddRef();
    CoRegisterClassObject(CLSID_QvPlmSystem, m_pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
}

SystemInterposer::~SystemInterposer()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
    m_pFactory->Release();
}

} // namespace managertest
