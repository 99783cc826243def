#include "ManagerClientFolder.h"

#include <objbase.h>
#include <win32host/Trace.h>

namespace managertest {

ManagerClientFolder::~ManagerClientFolder()
{
    Client().RevokeComponents();
    m_interposer.reset();
}

HRESULT ManagerClientFolder::Open(SystemFaults* pFaults)
{
    HRESULT hr = ClientFolder::Open(win32host::FromUtf8(MANAGERTEST_VIEWER_DLL));
    if (FAILED(hr) || pFaults == nullptr)
        return hr;

    // The first registration of a class wins: the interposer goes in before the client's own.
    IClassFactory* pReal = nullptr;
    hr = CoGetClassObject(CLSID_QvPlmSystem, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
        reinterpret_cast<void**>(&pReal));
    if (FAILED(hr))
        return hr;
    Client().RevokeComponents();
    m_interposer = std::make_unique<SystemInterposer>(pReal, pFaults);
    pReal->Release();
    return Client().RegisterComponents();
}

} // namespace managertest
