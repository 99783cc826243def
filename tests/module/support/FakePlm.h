// A fake PLM system behind CLSID_QvPlmSystem for the failures of a query the real client cannot
// give: current transaction, queries that log their SQL and answer from a scripted table, the
// temporary folder and the rights check, each with failures that a test can force.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QvInterfaces.h>

#include "ComFake.h"

namespace moduletest {

using FakeRow = std::map<std::wstring, std::wstring>;
using FakeRows = std::vector<FakeRow>;

// Shared by the system, its transactions and their queries.
struct FakeDatabase {
    // Every text given to SetSqlText, in order.
    std::vector<std::wstring> sql;
    // Rows of a statement; no rows when unset.
    std::function<FakeRows(const std::wstring& sql)> rowsFor;

    // Counted over all queries, from 1. 0 means never.
    int isEofCalls = 0;
    int moveNextCalls = 0;
    int getFieldCalls = 0;
    int failIsEofCall = 0;
    int failMoveNextCall = 0;
    int throwOnGetFieldCall = 0; // raises _com_error(E_UNEXPECTED)
    int throwOnIsEofCall = 0;    // raises _com_error(E_UNEXPECTED)
    // The success status IsEof returns.
    HRESULT isEofSuccess = S_OK;
    HRESULT executeResult = S_OK;
};

struct FakeSystemConfig {
    HRESULT creation = S_OK; // a failure makes the system object unavailable
    HRESULT getTransaction = S_OK;
    int failTransactionCall = 0; // only this GetCurTransaction call (from 1) fails, with E_ACCESSDENIED
    HRESULT createQuery = S_OK;
    bool nullQuery = false;
    std::wstring tempPath;
    HRESULT checkRight = S_OK;
    SHORT allowed = 1;
    int transactions = 0;                  // GetCurTransaction calls
    int rightChecks = 0;
    std::vector<std::wstring> rightCheckArgs; // behaviour "/" method
};

// Registers the fake system under CLSID_QvPlmSystem for the length of a scope.
class FakePlmSystem {
public:
    FakePlmSystem();
    ~FakePlmSystem();

    FakeDatabase db;
    FakeSystemConfig config;

private:
    std::unique_ptr<ClassRegistration> m_registration;
};

// A document of the object model as the queries see it: class name and id.
class FakeOtlObject;
FakeRef<FakeOtlObject> MakeDocument(const std::wstring& className, LONG id);

} // namespace moduletest
