// Queries of the current transaction: values typed by the stored value, columns found without
// regard to case, sane answers for an empty or broken text, and a connection that cannot write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <win32host/Trace.h>

#include "ClientTestFolder.h"
#include "ZORRTWrapper.h"
#include "qvclient/Errors.h"

namespace {

class TransactionQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.Builder().Execute(L"CREATE TABLE T_Values (OBJ_ID INTEGER, Small INTEGER, Big BIGINT, "
                                   L"Ratio REAL, Label VARCHAR(32), Missing VARCHAR(32))");
        m_folder.Builder().Execute(L"INSERT INTO T_Values VALUES (1, 42, 5000000000, 2.5, '图纸 A', NULL)");
        m_folder.Builder().Execute(L"INSERT INTO T_Values VALUES (2, -7, -5000000000, -0.25, '', NULL)");
        ASSERT_EQ(S_OK, m_folder.Builder().GetStatus());
        ASSERT_EQ(S_OK, m_folder.OpenClient());
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

    HRESULT Run(const wchar_t* pszSql)
    {
        BSTR bstr = SysAllocString(pszSql);
        HRESULT hr = m_pQuery->SetSqlText(bstr);
        SysFreeString(bstr);
        return SUCCEEDED(hr) ? m_pQuery->Execute() : hr;
    }

    HRESULT Field(const wchar_t* pszColumn, VARIANT* pvar)
    {
        BSTR bstr = SysAllocString(pszColumn);
        VariantInit(pvar);
        HRESULT hr = m_pQuery->GetFieldValue(bstr, pvar);
        SysFreeString(bstr);
        return hr;
    }

    ClientTestFolder m_folder;
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
    std::vector<LONG> ids;
    VARIANT_BOOL bEof = VARIANT_TRUE;
    while (SUCCEEDED(m_pQuery->IsEof(&bEof)) && !bEof) {
        VARIANT var;
        ASSERT_EQ(S_OK, Field(L"OBJ_ID", &var));
        ids.push_back(var.lVal);
        ASSERT_EQ(S_OK, m_pQuery->MoveNext());
    }
    EXPECT_EQ((std::vector<LONG>{1, 2}), ids);
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
    ASSERT_EQ(S_OK, m_folder.Builder().GetDatabase()->Query(
                        L"SELECT COUNT(*) FROM T_Values WHERE Label IS NULL OR Label <> 'changed'", {}, cursor));
    EXPECT_EQ(2, cursor->GetValue(0).integer);
    EXPECT_TRUE(FAILED(m_folder.Builder().GetDatabase()->Query(L"SELECT COUNT(*) FROM T_Other", {}, cursor)));
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

} // namespace
