// Stands in front of the opened client's system object (CLSID_QvPlmSystem): its creation, the
// reading of a global parameter or the first calls for the current transaction can be made to
// fail, while everything else reaches the real client.
#pragma once

#include <QvInterfaces.h>
#include <qvclient/Client.h>

namespace viztest {

struct SystemFaults {
    HRESULT create = S_OK;       // a failure: CoCreateInstance of the system fails with it
    HRESULT globalParam = S_OK;  // a failure: GetGlobalParam fails with it
    HRESULT transaction = S_OK;  // a failure: the first `failingTransactions` GetCurTransaction calls give it
    int failingTransactions = 1;
    int creations = 0;
    int transactionCalls = 0;
};

class SystemInterposer {
public:
    // Registers in front of the client's own class (the first registration wins).
    SystemInterposer(qvclient::Client& client, SystemFaults& faults);
    ~SystemInterposer();
    SystemInterposer(const SystemInterposer&) = delete;
    SystemInterposer& operator=(const SystemInterposer&) = delete;

    bool Registered() const { return m_cookie != 0; }

private:
    IClassFactory* m_pFactory = nullptr;
    DWORD m_cookie = 0;
};

} // namespace viztest
