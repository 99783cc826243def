// Queries of the current transaction: values typed by the stored value, columns found without
// regard to case, sane answers for an empty or broken text, and a connection that cannot write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "TraceFields.h"
#include "ZORRTWrapper.h"
#include "qvclient/Database.h"
#include "qvclient/CommandTransaction.h"
#include "qvclient/Errors.h"

namespace {

using namespace viztest;

// The ids a query walks from where it stands to the end.
std::vector<LONG> WalkIds(ITransactionQuery* pQuery, int nMax = 100)
{
    std::vector<LONG> ids;
    VARIANT_BOOL bEof = VARIANT_TRUE;
    HRESULT hr = S_OK;
    while (nMax-- > 0 && SUCCEEDED(pQuery->IsEof(&bEof)) && !bEof) {
        const _variant_t var = FieldOf(pQuery, L"OBJ_ID", &hr);
        if (FAILED(hr))
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
        m_folder.Fixture().Execute(L"CREATE TABLE T_Values (OBJ_ID INTEGER, Small INTEGER, Big BIGINT, Tiny SMALLINT, "
                                   L"Ratio REAL, Fixed NUMERIC(6,2), Share DOUBLE PRECISION, Label VARCHAR(32), "
                                   L"Missing VARCHAR(32), roleB_id INTEGER)");
        m_folder.Fixture().Execute(
            L"INSERT INTO T_Values VALUES (1, 42, 5000000000, 7, 2.5, 2.5, 0.25, '图纸 A', NULL, 11)");
        m_folder.Fixture().Execute(L"INSERT INTO T_Values VALUES (2, -7, -5000000000, 0, -0.25, 0, 0, '', NULL, 0)");
        ASSERT_EQ(S_OK, m_folder.Fixture().GetStatus());
        ASSERT_EQ(S_OK, m_folder.Open());
        m_query = NewQuery();
        ASSERT_TRUE(m_query != nullptr);
    }

    HRESULT Run(const std::wstring& sql) { return RunText(m_query, sql); }
    _variant_t Field(const wchar_t* pszColumn, HRESULT* phr = nullptr) { return FieldOf(m_query, pszColumn, phr); }

    ClientFolder m_folder;
    ITransactionQueryPtr m_query;
};

TEST_F(TransactionQueryTest, ValuesComeBackAsTheTypeTheyWereStoredWithWhateverTheColumnsCase)
{
    ASSERT_EQ(S_OK, Run(L"SELECT * FROM T_Values WHERE OBJ_ID = 1"));
    const struct {
        const wchar_t* column;
        VARTYPE vt;
        double value; // of a number
        const wchar_t* text;
    } cases[] = {
        {L"Small", VT_I4, 42, nullptr}, {L"Big", VT_I8, 5000000000.0, nullptr}, {L"Tiny", VT_I4, 7, nullptr},
        {L"Ratio", VT_R8, 2.5, nullptr}, {L"Fixed", VT_R8, 2.5, nullptr}, {L"Share", VT_R8, 0.25, nullptr},
        {L"Label", VT_BSTR, 0, L"图纸 A"}, {L"Missing", VT_NULL, 0, nullptr}, {L"obj_id", VT_I4, 1, nullptr},
        {L"Obj_Id", VT_I4, 1, nullptr}, {L"LABEL", VT_BSTR, 0, L"图纸 A"}, {L"ROLEB_ID", VT_I4, 11, nullptr},
    };
    for (const auto& c : cases) {
        const std::string name = winenv::ToUtf8(c.column);
        HRESULT hr = E_FAIL;
        const _variant_t var = Field(c.column, &hr);
        ASSERT_EQ(S_OK, hr) << name;
        ASSERT_EQ(c.vt, var.vt) << name;
        if (c.text != nullptr) {
            EXPECT_STREQ(c.text, var.bstrVal) << name;
        } else if (c.vt != VT_NULL) {
            EXPECT_DOUBLE_EQ(c.value, c.vt == VT_I4 ? var.lVal : c.vt == VT_I8 ? static_cast<double>(var.llVal) : var.dblVal)
                << name;
        }
    }
    HRESULT hr = S_OK;
    EXPECT_EQ(VT_EMPTY, Field(L"Labels", &hr).vt);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, hr);
    // The same query object run again: only the new text's names, however long. Tabs and runs of
    // blanks reach the engine: the string literal compares equal only if they are kept.
    const wchar_t* pszLong = L"A_Name_Longer_Than_Sixteen_Characters";
    ASSERT_EQ(S_OK, Run(L"SELECT Label AS \"名称\", Small AS \"名\", Big AS " + std::wstring(pszLong) +
                        L", 'a \t  b' AS Spaced FROM T_Values WHERE OBJ_ID = 1"));
    const _variant_t spaced = Field(L"Spaced");
    ASSERT_EQ(VT_BSTR, spaced.vt);
    EXPECT_STREQ(L"a \t  b", spaced.bstrVal);
    EXPECT_EQ(VT_I4, Field(L"名", &hr).vt) << "a name beyond ASCII";
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(VT_I8, Field(pszLong, &hr).vt) << "a long name, read " << i + 1;
    EXPECT_EQ(VT_EMPTY, Field(L"Small", &hr).vt) << "a name of the text before";
    EXPECT_EQ(DISP_E_UNKNOWNNAME, hr);
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
        ASSERT_EQ(S_OK, Run(L"SELECT Data FROM T_Bytes WHERE OBJ_ID = " + std::to_wstring(++id))) << c.name;
        const _variant_t var = Field(L"Data");
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
    }
}

TEST_F(TransactionQueryTest, TextsOfEverySizeComeBackWhole)
{
    // From a few characters to past 8 KB, and on SQLite one the engine builds from them all
    // by growing its block: the engine's blocks of every size hold what was put in them.
    ASSERT_EQ(S_OK, m_folder.Fixture().Execute(L"CREATE TABLE T_Texts (OBJ_ID INTEGER, Body VARCHAR(10000))"));
    std::vector<std::wstring> texts;
    for (int n = 1; n <= 9000; n += 97) {
        std::wstring text;
        for (int i = 0; i < n; ++i)
            text += static_cast<wchar_t>(L'a' + (i * 7 + n) % 26);
        ASSERT_EQ(S_OK, m_folder.Fixture().Execute(L"INSERT INTO T_Texts VALUES (?, ?)",
                            {qvclient::DbValue::Integer(n), qvclient::DbValue::Text(text)}));
        texts.push_back(text);
    }
    std::wstring all;
    for (int n = 1, i = 0; n <= 9000; n += 97, ++i) {
        ASSERT_EQ(S_OK, Run(L"SELECT Body FROM T_Texts WHERE OBJ_ID = " + std::to_wstring(n)));
        const _variant_t var = Field(L"Body");
        ASSERT_EQ(VT_BSTR, var.vt) << n << " characters";
        EXPECT_EQ(texts[i], std::wstring(var.bstrVal, SysStringLen(var.bstrVal))) << n << " characters";
        all += texts[i];
    }
    if (std::getenv("VIZ_TEST_PG") != nullptr)
        return;
    ASSERT_EQ(S_OK, Run(L"SELECT group_concat(Body, '') AS Body FROM (SELECT Body FROM T_Texts ORDER BY OBJ_ID)"));
    const _variant_t var = Field(L"Body");
    ASSERT_EQ(VT_BSTR, var.vt);
    EXPECT_EQ(all, std::wstring(var.bstrVal, SysStringLen(var.bstrVal)));
}

// Past the last row, of an empty text (traced as it is) and of a broken or unrun text: what
// IsEof, a field and MoveNext say.
TEST_F(TransactionQueryTest, TheEndOfTheRowsAndTextsWithoutRows)
{
    VARIANT_BOOL bEof = VARIANT_FALSE;
    EXPECT_EQ(qvclient::QV_E_NOTEXECUTED, m_query->IsEof(&bEof));
    ASSERT_EQ(S_OK, Run(L"SELECT OBJ_ID FROM T_Values ORDER BY OBJ_ID"));
    EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(m_query));
    EXPECT_EQ(S_OK, m_query->IsEof(&bEof));
    EXPECT_TRUE(bEof);
    HRESULT hr = S_OK;
    Field(L"OBJ_ID", &hr);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_TRUE(FAILED(m_query->MoveNext()));

    winenv::TraceRecorder trace;
    ASSERT_EQ(S_OK, m_query->SetSqlText(nullptr));
    ASSERT_EQ(S_OK, m_query->Execute());
    bEof = VARIANT_FALSE;
    EXPECT_EQ(S_OK, m_query->IsEof(&bEof));
    EXPECT_EQ(VARIANT_TRUE, bEof);
    EXPECT_EQ(std::vector<std::string>{""}, TraceFields(trace, "sql", {"text"}));

    EXPECT_TRUE(FAILED(Run(L"SELEC OBJ_ID FROM T_Values")));
    EXPECT_TRUE(FAILED(m_query->IsEof(&bEof)));
    hr = S_OK;
    Field(L"OBJ_ID", &hr);
    EXPECT_TRUE(FAILED(hr));
}

TEST_F(TransactionQueryTest, TheConnectionRefusesEveryWriteWhateverTheText)
{
    const std::string outside = "/tmp/viz-hostile-" + std::to_string(getpid());
    const std::wstring target = winenv::FromUtf8(outside);
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
        {L"COPY T_Values TO STDOUT", false}, // the server's copy stream: the INSERT after it needs the connection back
        {L"SET default_transaction_read_only=off", true},
        {L"SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE", true},
        {L"BEGIN READ WRITE", true},
    };
    for (const Case& c : cases) {
        const std::string name = winenv::ToUtf8(c.text);
        const HRESULT hr = Run(c.text);
        if (!onServer || !c.serverMayAccept) {
            EXPECT_TRUE(FAILED(hr)) << name;
        }
        EXPECT_EQ(E_ACCESSDENIED, Run(L"INSERT INTO T_Values (OBJ_ID) VALUES (4)")) << "after " << name;
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
        const std::vector<LONG> first = WalkIds(m_query, c.firstWalk);
        const ITransactionQueryPtr other = c.secondQuery ? NewQuery() : m_query;
        ASSERT_EQ(S_OK, RunText(other, pszSql)) << c.name;
        EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(other)) << c.name;
        if (c.secondQuery) {
            std::vector<LONG> rest = first;
            for (LONG id : WalkIds(m_query))
                rest.push_back(id);
            EXPECT_EQ((std::vector<LONG>{1, 2}), rest) << c.name << ": the first query lost its place";
        }
    }
}

// While the client runs a command, GetCurTransaction gives the command's transaction; a query
// keeps its transaction working after the caller let go of it.
TEST_F(TransactionQueryTest, TheCommandsTransactionIsTheCurrentOne)
{
    CPlmSystemRef system;
    ASSERT_EQ(S_OK, system.Create());
    const ITransactionQueryPtr query = [&] {
        qvclient::CommandTransaction command;
        EXPECT_NE(nullptr, command.Get());
        for (int i = 0; i < 2; ++i) {
            IQvCslTransaction* pCurrent = nullptr;
            EXPECT_EQ(S_OK, system.GetCurTransaction(&pCurrent));
            EXPECT_EQ(command.Get(), pCurrent) << "call " << i + 1;
            if (pCurrent != nullptr)
                pCurrent->Release();
        }
        return NewQuery();
    }();
    ASSERT_TRUE(query != nullptr);
    ASSERT_EQ(S_OK, RunText(query, L"SELECT OBJ_ID FROM T_Values ORDER BY OBJ_ID"));
    EXPECT_EQ((std::vector<LONG>{1, 2}), WalkIds(query));
}

} // namespace
