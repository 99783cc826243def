// CollectSignatures: the signatures of a revision, read once per record.
#include <gtest/gtest.h>

#include <comdef.h>

#include "ClientFolder.h"
#include "RaisedStatus.h"
#include "SystemInterposer.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"
#include "signing/CollectSignatures.h"

using namespace viztest;

namespace {

const HRESULT kEofStatus = 0x00000002;

std::vector<CSignInfo*> Records(const CLightDocumentRevObj& docRev)
{
    std::vector<CSignInfo*> records;
    POSITION pos = docRev.m_lstSignInfo.GetHeadPosition();
    while (pos != NULL)
        records.push_back(static_cast<CSignInfo*>(const_cast<void*>(docRev.m_lstSignInfo.GetNext(pos))));
    return records;
}

std::vector<CString> Contents(const CLightDocumentRevObj& docRev)
{
    std::vector<CString> contents;
    for (const CSignInfo* pSign : Records(docRev))
        contents.push_back(pSign->m_strSignContent);
    return contents;
}

// Two signatures of one drawing's revision: the writer's, with two placements, and the checker's.
class CollectSignaturesTest : public testing::Test {
protected:
    void SetUp() override
    {
        qvclient::FixtureBuilder& fixture = m_client.Fixture();
        const qvclient::DocumentFixture doc = fixture.AddDocumentWithLightFiles(L"Drawing", L"A-01", L"dwg", {});
        LONG writer = fixture.AddUser(L"writer", L"Writer");
        LONG checker = fixture.AddUser(L"checker", L"Checker");
        fixture.AddSignatureConfig(writer, 1, L"first", L"Song,12", L"ps", 77);
        fixture.AddSignatureConfig(writer, 3, L"second", L"Song,12", L"ps", 77);
        fixture.AddSignatureConfig(checker, 2, L"third", L"Song,12", L"ps", 77);
        fixture.AddSignatureLocation(L"Approved", L"Release", L"1,2", L"3,4");
        fixture.AddSignature(L"Drawing", doc.documentId, doc.revisionId, writer, L"2019-05-06 10:20:30", L"Approved",
            L"Release");
        fixture.AddSignature(L"Drawing", doc.documentId, doc.revisionId, checker, L"2020-01-02", L"Approved", L"Release");
        ASSERT_EQ(S_OK, m_client.Open());
        m_faults.isEofSuccess = kEofStatus;
        m_system = std::make_unique<SystemInterposer>(m_client.Client(), m_faults);
        m_docRev.m_strClassName = L"Drawing";
        m_docRev.m_nRevID = doc.revisionId;
    }

    ClientFolder m_client;
    SystemFaults m_faults;
    std::unique_ptr<SystemInterposer> m_system;
    CLightDocumentRevObj m_docRev;
};

TEST_F(CollectSignaturesTest, RecordsInRowOrderWithTheirFieldsOnce)
{
    EXPECT_EQ(1, CollectSignatures(m_docRev));
    EXPECT_EQ(1, m_docRev.m_bSignCollected);
    // Every field of every record; a date without a time part gives no date.
    std::vector<std::wstring> records;
    for (const CSignInfo* p : Records(m_docRev))
        records.push_back(std::to_wstring(p->m_nFormat) + L"|" + std::wstring(p->m_strSignContent + L"|" + p->m_strFont +
            L"|" + p->m_strPictureStyle + L"|" + p->m_strPictureFileID + L"|" + p->m_strCreationDate + L"|" +
            p->m_strNameLocation + L"|" + p->m_strTimeLocation + L"|" + p->m_strDocWfState + L"|" + p->m_strWfTemplate));
    EXPECT_EQ((std::vector<std::wstring>{L"1|first|Song,12|ps|77|2019-05-06|1,2|3,4|Approved|Release",
                  L"3|second|Song,12|ps|77|2019-05-06|1,2|3,4|Approved|Release",
                  L"2|third|Song,12|ps|77||1,2|3,4|Approved|Release"}),
        records);

    size_t statements = m_faults.sql.size();
    EXPECT_EQ(0, CollectSignatures(m_docRev));
    EXPECT_EQ(statements, m_faults.sql.size());
    EXPECT_EQ(3, m_docRev.m_lstSignInfo.GetCount());
}

// How a collection without rows, or without a query, ends: the status (returned or raised), the
// flag, the texts run.
TEST_F(CollectSignaturesTest, NoRowsOrNoQuery)
{
    const struct {
        const char* name;
        const wchar_t* className;
        void (*fault)(SystemFaults&);
        int result;
        HRESULT raised;
        BOOL collected;
        size_t statements;
    } cases[] = {
        {"no signature", L"Document", [](SystemFaults&) {}, 1, S_OK, 1, 1},
        {"a class outside the four runs the empty text", L"Part", [](SystemFaults&) {}, 1, S_OK, 1, 1},
        {"no transaction", L"Drawing", [](SystemFaults& f) { f.transaction = E_ACCESSDENIED; }, E_ACCESSDENIED, S_OK, 0,
            0},
        {"no query", L"Drawing", [](SystemFaults& f) { f.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY, S_OK, 0, 0},
        {"null query", L"Drawing", [](SystemFaults& f) { f.nullQuery = true; }, 0, E_POINTER, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_faults = SystemFaults();
        c.fault(m_faults);
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = c.className;
        docRev.m_nRevID = m_docRev.m_nRevID;
        int result = 0;
        EXPECT_EQ(c.raised, Raised([&] { result = CollectSignatures(docRev); }));
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.collected, docRev.m_bSignCollected);
        EXPECT_TRUE(docRev.m_lstSignInfo.IsEmpty());
        ASSERT_EQ(c.statements, m_faults.sql.size());
        if (c.statements != 0) {
            EXPECT_EQ(std::wstring(c.className) == L"Part", m_faults.sql[0].empty());
        }
    }
}

// A cursor failing at one IsEof or MoveNext call: the first IsEof of a query means no rows;
// any later failure ends the collection with the first IsEof's status, to be tried again.
TEST_F(CollectSignaturesTest, CursorFailures)
{
    const struct {
        const char* name;
        int failIsEofCall;
        int failMoveNextCall;
        int result;
        BOOL collected;
        std::vector<CString> contents;
        std::vector<CString> again; // what a second call then collects
    } cases[] = {
        {"first IsEof of the ids", 1, 0, 1, 1, {}, {}},
        {"first IsEof of the first detail", 4, 0, 1, 1, {L"third"}, {L"third"}}, // ids: 3 calls
        {"IsEof after the first id", 2, 0, kEofStatus, 0, {}, {L"first", L"second", L"third"}},
        {"MoveNext of the ids", 0, 1, kEofStatus, 0, {}, {L"first", L"second", L"third"}},
        {"MoveNext of a detail", 0, 3, kEofStatus, 0, {L"first"}, {L"first", L"first", L"second", L"third"}}, // 2 for the ids
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_faults = SystemFaults();
        m_faults.isEofSuccess = kEofStatus;
        m_faults.failIsEofCall = c.failIsEofCall;
        m_faults.failMoveNextCall = c.failMoveNextCall;
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = m_docRev.m_strClassName;
        docRev.m_nRevID = m_docRev.m_nRevID;
        EXPECT_EQ(c.result, CollectSignatures(docRev));
        EXPECT_EQ(c.collected, docRev.m_bSignCollected);
        EXPECT_EQ(c.contents, Contents(docRev));
        CollectSignatures(docRev);
        EXPECT_EQ(1, docRev.m_bSignCollected);
        EXPECT_EQ(c.again, Contents(docRev));
    }
}

} // namespace
