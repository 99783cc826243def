// Stands in front of the opened client's system object (CLSID_QvPlmSystem): its creation, the
// reading of a global parameter, the first calls for the current transaction and the queries of
// a transaction can be made to fail, while everything else reaches the real client.
#pragma once

#include <string>
#include <vector>

#include <QvInterfaces.h>
#include <qvclient/Client.h>

namespace viztest {

struct SystemFaults {
    HRESULT create = S_OK;       // a failure: CoCreateInstance of the system fails with it
    HRESULT globalParam = S_OK;  // a failure: GetGlobalParam fails with it
    HRESULT transaction = S_OK;  // a failure: `failingTransactions` GetCurTransaction calls give it,
    int failingTransactions = 1; // after `passingTransactions` that reach the client
    int passingTransactions = 0;
    HRESULT right = S_OK;        // other than S_OK: CheckObjectBehaviorMethod refuses with it
    int creations = 0;
    int transactionCalls = 0;
    int rightChecks = 0;

    // Queries: a cursor breaking off at one call (from 1, counted over all queries; 0: never).
    HRESULT createQuery = S_OK; // a failure: CreateQuery fails with it
    bool nullQuery = false;     // CreateQuery succeeds without a query
    HRESULT execute = S_OK;     // a failure: Execute runs the text, then reports it
    HRESULT isEofSuccess = S_OK; // what a successful IsEof returns, told apart from S_OK
    int failIsEofCall = 0;       // E_FAIL
    int failMoveNextCall = 0;    // E_FAIL
    int throwOnIsEofCall = 0;    // raises _com_error(E_UNEXPECTED), as a client's wrapper would
    int throwOnGetFieldCall = 0; // raises _com_error(E_UNEXPECTED)
    int isEofCalls = 0;
    int moveNextCalls = 0;
    int getFieldCalls = 0;
    std::vector<std::wstring> sql; // every text set, in order
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
