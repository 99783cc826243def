// A system object that stands in front of the client's (CLSID_QvPlmSystem) and refuses the
// current transaction for its first calls, while rights, parameters and folders come from the
// real client.
#pragma once

#include <QvInterfaces.h>
#include <qvclient/Client.h>

namespace e2e {

struct TransactionFaults {
    HRESULT failure = E_FAIL;
    int failingCalls = 1; // GetCurTransaction calls that fail before the real one answers
    int calls = 0;        // GetCurTransaction calls seen
};

class FailingTransactions {
public:
    // Registers in front of the opened client's own class (the first registration wins).
    FailingTransactions(qvclient::Client& client, TransactionFaults& faults);
    ~FailingTransactions();
    FailingTransactions(const FailingTransactions&) = delete;
    FailingTransactions& operator=(const FailingTransactions&) = delete;

    bool Registered() const { return m_cookie != 0; }

private:
    IClassFactory* m_pFactory = nullptr;
    DWORD m_cookie = 0;
};

} // namespace e2e
