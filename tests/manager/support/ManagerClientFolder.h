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
    HRESULT Open(viztest::SystemFaults* pFaults = nullptr);
    // The client's temporary folder (Windows path).
    std::wstring TempFolder() { return Client().GetTempPath(); }

private:
    std::unique_ptr<viztest::SystemInterposer> m_interposer;
};

} // namespace managertest
