// Queries of the current transaction: values typed by the stored value, columns found without
// regard to case, sane answers for an empty or broken text, and a connection that cannot write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <win32host/Trace.h>

#include "ClientFolder.h"
#include "ZORRTWrapper.h"
#include "qvclient/Database.h"
#include "qvclient/CommandTransaction.h"
#include "qvclient/Errors.h"

namespace {

HRESULT RunOn(ITransactionQuery* pQuery, const wchar_t* pszSql)
{
    const HRESULT hr = pQuery->SetSqlText(_bstr_t(pszSql));
    return SUCCEEDED(hr) ? pQuery->Execute() : hr;
}

// The ids a query walks from where it stands to the end.
std::vector<LONG> WalkIds(ITransactionQuery* pQuery, int nMax = 100)
{
    std::vector<LONG> ids;
    VARIANT_BOOL bEof = VARIANT_TRUE;
    while (nMax-- > 0 && SUCCEEDED(pQuery->IsEof(&bEof)) && !bEof) {
        _variant_t var;
        if (FAILED(pQuery->GetFieldValue(_bstr_t(L"OBJ_ID"), &var)))
            break;
        ids.push_back(var.lVal);
        pQuery->MoveNext();
    }
    return ids;
}

class TransactionQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.Fixture().Execute(L"CREATE TABLE T_Values (OBJ_ID INTEGER, Small INTEGER, Big BIGINT, "
                                   L"Ratio REAL, Label VARCHAR(32), Missing VARCHAR(32))");
        m_folder.Fixture().Execute(L"INSERT INTO T_Values VALUES (1, 42, 5000000000, 2.5, '图纸 A', NULL)");
        m_folder.Fixture().Execute(L"INSERT INTO T_Values VALUES (2, -7, -5000000000, -0.25, '', NULL)");
        ASSERT_EQ(S_OK, m_folder.Fixture().GetStatus());
        ASSERT_EQ(S_OK, m_folder.Open());
        CPlmSystemRef system;
        ASSERT_EQ(S_OK, system.Create());
        IQvCslTransaction* pTransaction = nullptr;
        ASSERT_EQ(S_OK, system.GetCurTransaction(&pTransaction));
        ASSERT_EQ(S_OK, pTransaction->CreateQuery(&m_pQuery));
        pTransaction->Release();
    }

    void TearDown() override
    {
        if (m_pQuery != nullptr)
            m_pQuery->Release();
    }

    HRESULT Run(const wchar_t* pszSql) { return RunOn(m_pQuery, pszSql); }

    HRESULT Field(const wchar_t* pszColumn, VARIANT* pvar)
    {
        VariantInit(pvar);
        return m_pQuery->GetFieldValue(_bstr_t(pszColumn), pvar);
    }

    viztest::ClientFolder m_folder;
    ITransactionQuery* m_pQuery = nullptr;
};

TEST_F(TransactionQueryTest, ValuesComeBackAsTheTypeTheyWereStoredWith)
{
    ASSERT_EQ(S_OK, Run(L"SELECT Small, Big, Ratio, Label, Missing FROM T_Values WHERE OBJ_ID = 1"));
    VARIANT var;
    ASSERT_EQ(S_OK, Field(L"Small", &var));
    EXPECT_EQ(VT_I4, var.vt);
    EXPECT_EQ(42, var.lVal);
    ASSERT_EQ(S_OK, Field(L"Big", &var));
    EXPECT_EQ(VT_I8, var.vt);
    EXPECT_EQ(5000000000LL, var.llVal);
    ASSERT_EQ(S_OK, Field(L"Ratio", &var));
    EXPECT_EQ(VT_R8, var.vt);
    EXPECT_DOUBLE_EQ(2.5, var.dblVal);
    ASSERT_EQ(S_OK, Field(L"Label", &var));
    ASSERT_EQ(VT_BSTR, var.vt);
    EXPECT_STREQ(L"图纸 A", var.bstrVal);
    VariantClear(&var);
    ASSERT_EQ(S_OK, Field(L"Missing", &var));
    EXPECT_EQ(VT_NULL, var.vt);
}

TEST_F(TransactionQueryTest, BytesComeBackAsStoredEmptyOrNot)
{
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"no bytes", {}},
        {"one zero byte", {0}},
        {"bytes", {1, 0, 255}},
    };
    ASSERT_EQ(S_OK, m_folder.Fixture().Execute(L"CREATE TABLE T_Bytes (OBJ_ID INTEGER, Data BYTEA)"));
    LONGLONG id = 0;
    for (const auto& c : cases)
        ASSERT_EQ(S_OK, m_folder.Fixture().Execute(L"INSERT INTO T_Bytes VALUES (?, ?)",
                            {qvclient::DbValue::Integer(++id), qvclient::DbValue::Blob(c.bytes)})) << c.name;
    id = 0;
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, Run((L"SELECT Data FROM T_Bytes WHERE OBJ_ID = " + std::to_wstring(++id)).c_str())) << c.name;
        VARIANT var;
        ASSERT_EQ(S_OK, Field(L"Data", &var)) << c.name;
        ASSERT_EQ(VT_ARRAY | VT_UI1, var.vt) << c.name;
        LONG lUpper = -1;
        ASSERT_EQ(S_OK, SafeArrayGetUBound(var.parray, 1, &lUpper)) << c.name;
        std::vector<BYTE> read(static_cast<size_t>(lUpper + 1));
        if (!read.empty()) {
            void* pData = nullptr;
            ASSERT_EQ(S_OK, SafeArrayAccessData(var.parray, &pData)) << c.name;
            std::copy_n(static_cast<const BYTE*>(pData), read.size(), read.begin());
            SafeArrayUnaccessData(var.parray);
        }
        EXPECT_EQ(c.bytes, read) << c.name;
        VariantClear(&var);
    }
}

TEST_F(TransactionQueryTest, ColumnsAreFoundWithoutRegardToCase)
{
    ASSERT_EQ(S_OK, Run(L"SELECT OBJ_ID, Label FROM T_Values WHERE OBJ_ID = 2"));
    VARIANT var;
    for (const wchar_t* pszName : {L"obj_id", L"OBJ_ID", L"Obj_Id"}) {
        ASSERT_EQ(S_OK, Field(pszName, &var)) << win32host::ToUtf8(pszName);
        EXPECT_EQ(VT_I4, var.vt);
        EXPECT_EQ(2, var.lVal);
    }
    ASSERT_EQ(S_OK, Field(L"LABEL", &var));
    EXPECT_EQ(VT_BSTR, var.vt);
    VariantClear(&var);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, Field(L"Labels", &var));
    EXPECT_EQ(VT_EMPTY, var.vt);
}

TEST_F(TransactionQueryTest, RowsAreWalkedUntilTheEnd)
{
    ASSERT_EQ(S_OK, Run(L"SELECT OBJ_ID FROM T_Values ORDER BY OBJ_ID"));
    EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(m_pQuery));
    VARIANT_BOOL bEof = VARIANT_FALSE;
    EXPECT_EQ(S_OK, m_pQuery->IsEof(&bEof));
    EXPECT_TRUE(bEof);
    VARIANT var;
    EXPECT_TRUE(FAILED(Field(L"OBJ_ID", &var)));
    EXPECT_TRUE(FAILED(m_pQuery->MoveNext()));
}

TEST_F(TransactionQueryTest, AnEmptyTextHasNoRowsAndIsTraced)
{
    win32host::TraceRecorder trace;
    Run(L"");
    VARIANT_BOOL bEof = VARIANT_FALSE;
    const HRESULT hr = m_pQuery->IsEof(&bEof);
    EXPECT_TRUE(FAILED(hr) || bEof == VARIANT_TRUE);
    const auto statements = trace.OfKind("sql");
    ASSERT_EQ(1u, statements.size());
    EXPECT_EQ("", statements[0].Get("text"));
}

TEST_F(TransactionQueryTest, ABrokenTextFailsAtIsEof)
{
    EXPECT_TRUE(FAILED(Run(L"SELEC OBJ_ID FROM T_Values")));
    VARIANT_BOOL bEof = VARIANT_FALSE;
    EXPECT_TRUE(FAILED(m_pQuery->IsEof(&bEof)));
    VARIANT var;
    EXPECT_TRUE(FAILED(Field(L"OBJ_ID", &var)));
}

TEST_F(TransactionQueryTest, AQueryReadBeforeExecuteFails)
{
    VARIANT_BOOL bEof = VARIANT_FALSE;
    EXPECT_EQ(qvclient::QV_E_NOTEXECUTED, m_pQuery->IsEof(&bEof));
}

TEST_F(TransactionQueryTest, TheConnectionRefusesEveryWriteWhateverTheText)
{
    const std::string outside = "/tmp/viz-hostile-" + std::to_string(getpid());
    const std::wstring target = win32host::FromUtf8(outside);
    struct Case {
        std::wstring text;
        bool serverMayAccept; // a setting or a VACUUM that skips what the role does not own: no write
    };
    const bool onServer = std::getenv("VIZ_TEST_PG") != nullptr;
    // BEGIN READ WRITE last: on the server it leaves a transaction open.
    const Case cases[] = {
        {L"INSERT INTO T_Values (OBJ_ID) VALUES (3)", false},
        {L"UPDATE T_Values SET Label = 'changed'", false},
        {L"DELETE FROM T_Values", false},
        {L"CREATE TABLE T_Other (A INTEGER)", false},
        {L"DROP TABLE T_Values", false},
        {L"VACUUM INTO '" + target + L"'", false},
        {L"VACUUM", true},
        {L"ATTACH DATABASE '" + target + L"' AS other", false},
        {L"PRAGMA writable_schema=1", false},
        {L"PRAGMA journal_mode=DELETE", false},
        {L"SELECT load_extension('" + target + L"')", false},
        {L"COPY T_Values TO PROGRAM 'touch " + target + L"'", false},
        {L"COPY T_Values TO '" + target + L"'", false},
        {L"SET default_transaction_read_only=off", true},
        {L"SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE", true},
        {L"BEGIN READ WRITE", true},
    };
    for (const Case& c : cases) {
        const std::string name = win32host::ToUtf8(c.text);
        const HRESULT hr = Run(c.text.c_str());
        if (!onServer || !c.serverMayAccept) {
            EXPECT_TRUE(FAILED(hr)) << name;
        }
        EXPECT_TRUE(FAILED(Run(L"INSERT INTO T_Values (OBJ_ID) VALUES (4)"))) << "after " << name;
        EXPECT_FALSE(std::filesystem::exists(outside)) << name;
    }

    // The builder's own connection still sees both rows, unchanged, and no other table.
    std::unique_ptr<qvclient::IDbCursor> cursor;
    ASSERT_EQ(S_OK, m_folder.Fixture().GetDatabase()->Query(
                        L"SELECT COUNT(*) FROM T_Values WHERE Label IS NULL OR Label <> 'changed'", {}, cursor));
    EXPECT_EQ(2, cursor->GetValue(0).integer);
    EXPECT_TRUE(FAILED(m_folder.Fixture().GetDatabase()->Query(L"SELECT COUNT(*) FROM T_Other", {}, cursor)));
    std::error_code ec;
    std::filesystem::remove(outside, ec);
}

TEST_F(TransactionQueryTest, TheTextReachesTheEngineUnchanged)
{
    // Tabs and runs of blanks are kept: the string literal compares equal only if they are.
    ASSERT_EQ(S_OK, Run(L"SELECT 'a \t  b' AS Spaced"));
    VARIANT var;
    ASSERT_EQ(S_OK, Field(L"Spaced", &var));
    ASSERT_EQ(VT_BSTR, var.vt);
    EXPECT_STREQ(L"a \t  b", var.bstrVal);
    VariantClear(&var);
}

// The client keeps a statement to run its text again: each run starts from the first row, and
// two queries on one text at the same time walk their rows apart.
TEST_F(TransactionQueryTest, ATextRunAgainGivesAllItsRowsAgain)
{
    struct Case {
        const char* name;
        int firstWalk;     // rows the first query walks before the text runs again
        bool secondQuery;  // run again on a second query while the first still stands
    };
    const Case cases[] = {
        {"again on the same query after the end", 100, false},
        {"again on the same query halfway", 1, false},
        {"on a second query while the first stands halfway", 1, true},
        {"on a second query while the first stands at the start", 0, true},
    };
    const wchar_t* pszSql = L"SELECT OBJ_ID FROM T_Values ORDER BY OBJ_ID";
    for (const Case& c : cases) {
        ASSERT_EQ(S_OK, Run(pszSql)) << c.name;
        const std::vector<LONG> first = WalkIds(m_pQuery, c.firstWalk);
        ITransactionQuery* pOther = m_pQuery;
        CPlmSystemRef system;
        IQvCslTransaction* pTransaction = nullptr;
        if (c.secondQuery) {
            ASSERT_EQ(S_OK, system.Create());
            ASSERT_EQ(S_OK, system.GetCurTransaction(&pTransaction));
            ASSERT_EQ(S_OK, pTransaction->CreateQuery(&pOther));
        }
        ASSERT_EQ(S_OK, RunOn(pOther, pszSql)) << c.name;
        EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(pOther)) << c.name;
        if (c.secondQuery) {
            std::vector<LONG> rest = first;
            for (LONG id : WalkIds(m_pQuery))
                rest.push_back(id);
            EXPECT_EQ((std::vector<LONG>{1, 2}), rest) << c.name << ": the first query lost its place";
            pOther->Release();
            pTransaction->Release();
        }
    }
}

// While the client runs a command, GetCurTransaction gives the command's transaction; a query
// keeps its transaction working after the caller let go of it.
TEST_F(TransactionQueryTest, TheCommandsTransactionIsTheCurrentOne)
{
    CPlmSystemRef system;
    ASSERT_EQ(S_OK, system.Create());
    ITransactionQuery* pQuery = nullptr;
    {
        qvclient::CommandTransaction command;
        ASSERT_NE(nullptr, command.Get());
        for (int i = 0; i < 2; ++i) {
            IQvCslTransaction* pCurrent = nullptr;
            ASSERT_EQ(S_OK, system.GetCurTransaction(&pCurrent));
            EXPECT_EQ(command.Get(), pCurrent) << "call " << i + 1;
            if (i == 1) {
                ASSERT_EQ(S_OK, pCurrent->CreateQuery(&pQuery));
            }
            pCurrent->Release();
        }
    }
    ASSERT_EQ(S_OK, RunOn(pQuery, L"SELECT OBJ_ID FROM T_Values ORDER BY OBJ_ID"));
    EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(pQuery));
    pQuery->Release();
}

} // namespace
