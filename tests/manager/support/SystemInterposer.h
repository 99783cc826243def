// Stands in front of the client's system object (CLSID_QvPlmSystem): creation or the reading of
// a global parameter can be made to fail while everything else reaches the real client.
// Registered before the client's components, so that CoCreateInstance finds it first.
#pragma once

#include <QvInterfaces.h>

namespace managertest {

struct SystemFaults {
    HRESULT create = S_OK;      // a failure: CoCreateInstance of the system fails with it
    HRESULT globalParam = S_OK; // a failure: GetGlobalParam fails with it
    int creations = 0;
};

class SystemInterposer {
public:
    // pReal: the client's class object for CLSID_QvPlmSystem (a reference is kept).
    SystemInterposer(IClassFactory* pReal, SystemFaults* pFaults);
    ~SystemInterposer();
    SystemInterposer(const SystemInterposer&) = delete;
    SystemInterposer& operator=(const SystemInterposer&) = delete;

private:
    IClassFactory* m_pFactory;
    DWORD m_cookie = 0;
};

} // namespace managertest
