#include "SystemInterposer.h"

#include <comdef.h>
#include <comkit/ClassFactory.h>

namespace viztest {

namespace {

// A client object of interface I in front of which the faults are made.
template <class I, class Ptr>
class Forwarding : public comkit::ComObject<I> {
public:
    Forwarding(Ptr pReal, SystemFaults& faults) : m_pReal(pReal), m_faults(faults) {}

protected:
    Ptr m_pReal;
    SystemFaults& m_faults;
};

class ForwardingQuery : public Forwarding<ITransactionQuery, ITransactionQueryPtr> {
public:
    using Forwarding::Forwarding;

    STDMETHODIMP SetSqlText(BSTR bstrSql) override
    {
        m_faults.sql.push_back(bstrSql != nullptr ? bstrSql : L"");
        return m_pReal->SetSqlText(bstrSql);
    }
    STDMETHODIMP Execute() override
    {
        HRESULT hr = m_pReal->Execute();
        return FAILED(m_faults.execute) ? m_faults.execute : hr;
    }
    STDMETHODIMP IsEof(VARIANT_BOOL* pbEof) override
    {
        ++m_faults.isEofCalls;
        if (m_faults.isEofCalls == m_faults.throwOnIsEofCall)
            _com_issue_error(E_UNEXPECTED);
        if (m_faults.isEofCalls == m_faults.failIsEofCall)
            return E_FAIL;
        HRESULT hr = m_pReal->IsEof(pbEof);
        return hr == S_OK ? m_faults.isEofSuccess : hr;
    }
    STDMETHODIMP MoveNext() override
    {
        if (++m_faults.moveNextCalls == m_faults.failMoveNextCall)
            return E_FAIL;
        return m_pReal->MoveNext();
    }
    STDMETHODIMP GetFieldValue(BSTR bstrColumn, VARIANT* pvarValue) override
    {
        if (++m_faults.getFieldCalls == m_faults.throwOnGetFieldCall)
            _com_issue_error(E_UNEXPECTED);
        return m_pReal->GetFieldValue(bstrColumn, pvarValue);
    }
};

class ForwardingTransaction : public Forwarding<IQvCslTransaction, IQvCslTransactionPtr> {
public:
    using Forwarding::Forwarding;

    STDMETHODIMP CreateQuery(ITransactionQuery** ppQuery) override
    {
        *ppQuery = nullptr;
        if (FAILED(m_faults.createQuery))
            return m_faults.createQuery;
        ITransactionQueryPtr pQuery;
        HRESULT hr = m_pReal->CreateQuery(&pQuery);
        if (FAILED(hr) || m_faults.nullQuery)
            return hr;
        return comkit::CreateComObject<ForwardingQuery>(__uuidof(ITransactionQuery), reinterpret_cast<void**>(ppQuery),
            pQuery, m_faults);
    }
};

class ForwardingSystem : public Forwarding<IQvPlmSystem, IQvPlmSystemPtr> {
public:
    using Forwarding::Forwarding;

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** pp) override
    {
        const int call = m_faults.transactionCalls++;
        if (FAILED(m_faults.transaction) && call >= m_faults.passingTransactions &&
            call < m_faults.passingTransactions + m_faults.failingTransactions) {
            *pp = nullptr;
            return m_faults.transaction;
        }
        IQvCslTransactionPtr pTransaction;
        HRESULT hr = m_pReal->GetCurTransaction(&pTransaction);
        if (FAILED(hr)) {
            *pp = nullptr;
            return hr;
        }
        HRESULT hrWrap = comkit::CreateComObject<ForwardingTransaction>(__uuidof(IQvCslTransaction),
            reinterpret_cast<void**>(pp), pTransaction, m_faults);
        return FAILED(hrWrap) ? hrWrap : hr;
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
        ++m_faults.rightChecks;
        if (m_faults.right != S_OK) {
            *p = 0;
            return m_faults.right;
        }
        return m_pReal->CheckObjectBehaviorMethod(o, b, m, p);
    }
    STDMETHODIMP IsDescendentOrSelfClass(BSTR b, BSTR c, INT* p) override
    {
        return m_pReal->IsDescendentOrSelfClass(b, c, p);
    }
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
