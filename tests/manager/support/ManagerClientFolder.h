// The client folder of the manager tests, whose system object may stand behind an interposer.
#pragma once

#include <memory>

#include "ClientFolder.h"
#include "SystemInterposer.h"

namespace managertest {

class ManagerClientFolder : public viztest::ClientFolder {
public:
    ~ManagerClientFolder();
    // Opens the client; with faults, its system object stands behind a SystemInterposer.
    HRESULT Open(SystemFaults* pFaults = nullptr);
    // The client's temporary folder (Windows path).
    std::wstring TempFolder() { return Client().GetTempPath(); }

private:
    std::unique_ptr<SystemInterposer> m_interposer;
};

} // namespace managertest
