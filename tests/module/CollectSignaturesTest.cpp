// CollectSignatures: the signatures of a revision, read once per record.
#include <gtest/gtest.h>

#include <comdef.h>

#include "FakePlm.h"
#include "RaisedStatus.h"
#include "catalogue/LightFileObj.h"
#include "signing/CollectSignatures.h"
#include "signing/SignInfo.h"

using namespace moduletest;

namespace {

const HRESULT kEofStatus = 0x00000002;

FakeRow Signature(const wchar_t* format, const wchar_t* content, const wchar_t* date)
{
    return {{L"Format", format}, {L"SignContent", content}, {L"Font", L"Song,12"}, {L"PictureStyle", L"ps"},
        {L"PictureFileID", L"77"}, {L"creationdate", date}, {L"NameLocation", L"1,2"}, {L"TimeLocation", L"3,4"},
        {L"DocWfState", L"Approved"}, {L"WfTemplate", L"Release"}};
}

// Signature ids 901 and 902; 901 has two placements, 902 one.
FakeRows ScriptedSignatures(const std::wstring& sql)
{
    if (sql.find(L"T_DocumentSignature") != std::wstring::npos)
        return {{{L"roleB_id", L"901"}}, {{L"roleB_id", L"902"}}};
    if (sql.find(L"OBJ_ID = 901") != std::wstring::npos)
        return {Signature(L"1", L"first", L"2019-05-06 10:20:30"), Signature(L"3", L"second", L"2019-05-07")};
    if (sql.find(L"OBJ_ID = 902") != std::wstring::npos)
        return {Signature(L"2", L"third", L"2020-01-02 08:00:00")};
    return {};
}

std::vector<CSignInfo*> Records(const CLightDocumentRevObj& docRev)
{
    std::vector<CSignInfo*> records;
    POSITION pos = docRev.m_lstSignInfo.GetHeadPosition();
    while (pos != NULL)
        records.push_back(static_cast<CSignInfo*>(const_cast<void*>(docRev.m_lstSignInfo.GetNext(pos))));
    return records;
}

class CollectSignaturesTest : public testing::Test {
protected:
    CollectSignaturesTest()
    {
        m_docRev.m_strClassName = L"Drawing";
        m_docRev.m_nRevID = 88;
        m_system.db.isEofSuccess = kEofStatus;
    }

    FakePlmSystem m_system;
    CLightDocumentRevObj m_docRev;
};

TEST_F(CollectSignaturesTest, RecordsInRowOrderWithTheirFields)
{
    m_system.db.rowsFor = ScriptedSignatures;
    EXPECT_EQ(1, CollectSignatures(m_docRev));
    EXPECT_EQ(1, m_docRev.m_bSignCollected);
    // Every field of every record; a date without a time part gives no date.
    std::vector<std::wstring> records;
    for (const CSignInfo* p : Records(m_docRev))
        records.push_back(std::to_wstring(p->m_nFormat) + L"|" + std::wstring(p->m_strSignContent + L"|" + p->m_strFont +
            L"|" + p->m_strPictureStyle + L"|" + p->m_strPictureFileID + L"|" + p->m_strCreationDate + L"|" +
            p->m_strNameLocation + L"|" + p->m_strTimeLocation + L"|" + p->m_strDocWfState + L"|" + p->m_strWfTemplate));
    EXPECT_EQ((std::vector<std::wstring>{L"1|first|Song,12|ps|77|2019-05-06|1,2|3,4|Approved|Release",
                  L"3|second|Song,12|ps|77||1,2|3,4|Approved|Release",
                  L"2|third|Song,12|ps|77|2020-01-02|1,2|3,4|Approved|Release"}),
        records);
}

TEST_F(CollectSignaturesTest, SecondCallDoesNothing)
{
    m_system.db.rowsFor = ScriptedSignatures;
    EXPECT_EQ(1, CollectSignatures(m_docRev));
    size_t statements = m_system.db.sql.size();
    int transactions = m_system.config.transactions;
    EXPECT_EQ(0, CollectSignatures(m_docRev));
    EXPECT_EQ(statements, m_system.db.sql.size());
    EXPECT_EQ(transactions, m_system.config.transactions);
    EXPECT_EQ(3, m_docRev.m_lstSignInfo.GetCount());
}

// How a collection without rows, or without a query, ends: the status (returned or raised), the
// flag, the texts run.
TEST(CollectSignatures, NoRowsOrNoQuery)
{
    const struct {
        const char* name;
        const wchar_t* className;
        void (*fault)(FakeSystemConfig&);
        int result;
        HRESULT raised;
        BOOL collected;
        size_t statements;
    } cases[] = {
        {"no signature", L"Drawing", [](FakeSystemConfig&) {}, 1, S_OK, 1, 1},
        {"a class outside the four runs the empty text", L"Part", [](FakeSystemConfig&) {}, 1, S_OK, 1, 1},
        {"no transaction", L"Drawing", [](FakeSystemConfig& c) { c.getTransaction = E_ACCESSDENIED; }, E_ACCESSDENIED,
            S_OK, 0, 0},
        {"no query", L"Drawing", [](FakeSystemConfig& c) { c.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY, S_OK, 0, 0},
        {"null query", L"Drawing", [](FakeSystemConfig& c) { c.nullQuery = true; }, 0, E_POINTER, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlmSystem system;
        c.fault(system.config);
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = c.className;
        docRev.m_nRevID = 88;
        int result = 0;
        EXPECT_EQ(c.raised, viztest::Raised([&] { result = CollectSignatures(docRev); }));
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.collected, docRev.m_bSignCollected);
        EXPECT_TRUE(docRev.m_lstSignInfo.IsEmpty());
        ASSERT_EQ(c.statements, system.db.sql.size());
        if (c.statements != 0) {
            EXPECT_EQ(std::wstring(c.className) == L"Part", system.db.sql[0].empty());
        }
    }
}

// A cursor failing at one IsEof or MoveNext call: the first IsEof of a query means no rows;
// any later failure ends the collection with the first IsEof's status, to be tried again.
TEST(CollectSignatures, CursorFailures)
{
    const struct {
        const char* name;
        int failIsEofCall;
        int failMoveNextCall;
        int result;
        BOOL collected;
        std::vector<CString> contents;
    } cases[] = {
        {"first IsEof of the ids", 1, 0, 1, 1, {}},
        {"first IsEof of the first detail", 4, 0, 1, 1, {L"third"}}, // ids: 3 calls
        {"IsEof after the first id", 2, 0, kEofStatus, 0, {}},
        {"MoveNext of the ids", 0, 1, kEofStatus, 0, {}},
        {"MoveNext of a detail", 0, 3, kEofStatus, 0, {L"first"}}, // 2 for the ids
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlmSystem system;
        system.db.isEofSuccess = kEofStatus;
        system.db.rowsFor = ScriptedSignatures;
        system.db.failIsEofCall = c.failIsEofCall;
        system.db.failMoveNextCall = c.failMoveNextCall;
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = L"Drawing";
        docRev.m_nRevID = 88;
        EXPECT_EQ(c.result, CollectSignatures(docRev));
        EXPECT_EQ(c.collected, docRev.m_bSignCollected);
        std::vector<CString> contents;
        for (const CSignInfo* pSign : Records(docRev))
            contents.push_back(pSign->m_strSignContent);
        EXPECT_EQ(c.contents, contents);
    }
}

TEST_F(CollectSignaturesTest, BrokenCursorCollectsAgainLater)
{
    m_system.db.rowsFor = ScriptedSignatures;
    m_system.db.failMoveNextCall = 3;
    EXPECT_EQ(kEofStatus, CollectSignatures(m_docRev));
    EXPECT_EQ(1, CollectSignatures(m_docRev));
    EXPECT_EQ(1, m_docRev.m_bSignCollected);
    EXPECT_EQ(4, m_docRev.m_lstSignInfo.GetCount());
}

} // namespace
