#include "ClientFolder.h"

#include <objbase.h>
#include <winenv/Modules.h>
#include <winenv/Trace.h>

#include <ZORRTWrapper.h>

namespace viztest {

ClientFolder::ClientFolder()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_fixture = std::make_unique<qvclient::FixtureBuilder>(winenv::FromUtf8(Posix()));
}

ClientFolder::~ClientFolder()
{
    m_client.RevokeComponents();
    winenv::UnregisterInprocServer(CLSID_QvViewerControl);
    m_fixture.reset();
    CoUninitialize();
}

HRESULT ClientFolder::Open(const std::wstring& viewerDll)
{
    if (FAILED(m_fixture->GetStatus()))
        return m_fixture->GetStatus();
    winenv::RegisterInprocServer(CLSID_QvViewerControl, viewerDll.c_str());
    HRESULT hr = m_client.Open(winenv::FromUtf8(Posix()));
    if (SUCCEEDED(hr))
        hr = m_client.RegisterComponents();
    return hr;
}

std::unique_ptr<ClassRegistration> ClientFolder::RegisterInFront(REFCLSID clsid, CreateFunction create)
{
    // The first registration of a class answers: the client's own go after it.
    m_client.RevokeComponents();
    auto registration = std::make_unique<ClassRegistration>(clsid, std::move(create));
    m_client.RegisterComponents();
    return registration;
}

IQvOtlObjectPtr ClientFolder::Object(const wchar_t* className, LONG id) const
{
    IQvOtlObject* pObject = nullptr;
    if (FAILED(qvclient::OpenObject(className, id, &pObject)))
        return nullptr;
    return IQvOtlObjectPtr(pObject, false);
}

ITransactionQueryPtr NewQuery()
{
    CPlmSystemRef system;
    IQvCslTransaction* pTransaction = nullptr;
    if (FAILED(system.Create()) || FAILED(system.GetCurTransaction(&pTransaction)) || pTransaction == nullptr)
        return nullptr;
    const IQvCslTransactionPtr transaction(pTransaction, false);
    ITransactionQuery* pQuery = nullptr;
    if (FAILED(transaction->CreateQuery(&pQuery)))
        return nullptr;
    return ITransactionQueryPtr(pQuery, false);
}

HRESULT RunText(ITransactionQuery* pQuery, const std::wstring& sql)
{
    const HRESULT hr = pQuery->SetSqlText(_bstr_t(sql.c_str()));
    return SUCCEEDED(hr) ? pQuery->Execute() : hr;
}

_variant_t FieldOf(ITransactionQuery* pQuery, const wchar_t* column, HRESULT* phr)
{
    _variant_t var;
    const HRESULT hr = pQuery->GetFieldValue(_bstr_t(column), &var);
    if (phr != nullptr)
        *phr = hr;
    return var;
}

} // namespace viztest
