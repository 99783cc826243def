#include "ClientFolder.h"

#include <objbase.h>
#include <win32host/Modules.h>
#include <win32host/Trace.h>

namespace viztest {

ClientFolder::ClientFolder()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_fixture = std::make_unique<qvclient::FixtureBuilder>(win32host::FromUtf8(Posix()));
}

ClientFolder::~ClientFolder()
{
    m_client.RevokeComponents();
    win32host::UnregisterInprocServer(CLSID_QvViewerControl);
    m_fixture.reset();
    CoUninitialize();
}

HRESULT ClientFolder::Open(const std::wstring& viewerDll)
{
    if (FAILED(m_fixture->GetStatus()))
        return m_fixture->GetStatus();
    win32host::RegisterInprocServer(CLSID_QvViewerControl, viewerDll.c_str());
    HRESULT hr = m_client.Open(win32host::FromUtf8(Posix()));
    if (SUCCEEDED(hr))
        hr = m_client.RegisterComponents();
    return hr;
}

IQvOtlObjectPtr ClientFolder::Object(const wchar_t* className, LONG id) const
{
    IQvOtlObject* pObject = nullptr;
    if (FAILED(qvclient::OpenObject(className, id, &pObject)))
        return nullptr;
    return IQvOtlObjectPtr(pObject, false);
}

} // namespace viztest
