#include "ManagerClientFolder.h"

#include <win32host/Trace.h>

namespace managertest {

ManagerClientFolder::~ManagerClientFolder()
{
    Client().RevokeComponents();
    m_interposer.reset();
}

HRESULT ManagerClientFolder::Open(viztest::SystemFaults* pFaults)
{
    HRESULT hr = ClientFolder::Open(win32host::FromUtf8(MANAGERTEST_VIEWER_DLL));
    if (FAILED(hr) || pFaults == nullptr)
        return hr;

    m_interposer = std::make_unique<viztest::SystemInterposer>(Client(), *pFaults);
    return m_interposer->Registered() ? S_OK : E_FAIL;
}

} // namespace managertest
