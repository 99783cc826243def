// CDocumentSelectDlg::QueryLightFiles: one revision record with a light file record per row,
// owned by the dialog.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "manager/DocumentSelectDlg.h"

using namespace moduletest;

namespace {

const HRESULT kEofStatus = 0x00000002; // a success status of the first IsEof, told apart from 0

FakeRows ThreeFiles()
{
    FakeRows rows;
    const wchar_t* names[] = {L"A-01.pdf", L"A-01.dwg", L"A-01.xlsx"};
    for (int i = 0; i < 3; ++i) {
        rows.push_back({{L"OBJ_ID", std::to_wstring(700 + i)}, {L"name", names[i]}, {L"roleB_id", L"88"},
            {L"filetype", L"dwg"}});
    }
    return rows;
}

// "As the caller set it": what the out pointer holds before the query.
CLightDocumentRevObj* const kUnset = reinterpret_cast<CLightDocumentRevObj*>(0x1);

// The dialog, the fake system and one document to query.
struct QueryRun {
    QueryRun() : m_doc(MakeDocument(L"Drawing", 12)), m_objDoc(m_doc.get())
    {
        m_system.db.isEofSuccess = kEofStatus;
    }

    HRESULT Query() { return m_dlg.QueryLightFiles(&m_objDoc, &m_pDocRev); }

    FakePlmSystem m_system;
    FakeRef<FakeOtlObject> m_doc;
    COtlObjectRef m_objDoc;
    CDocumentSelectDlg m_dlg;
    CLightDocumentRevObj* m_pDocRev = kUnset;
};

class QueryLightFilesTest : public testing::Test, protected QueryRun {};

TEST_F(QueryLightFilesTest, ThreeRowsGiveOneRevisionWithThreeFiles)
{
    m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
    EXPECT_EQ(0, Query());
    ASSERT_NE(nullptr, m_pDocRev);
    EXPECT_EQ(1, m_dlg.m_lstDocRevObj.GetCount());
    EXPECT_EQ(m_pDocRev, m_dlg.m_lstDocRevObj.GetHead());
    EXPECT_EQ(3, m_dlg.m_lstLightFileObj.GetCount());
    EXPECT_EQ(CString(L"Drawing"), m_pDocRev->m_strClassName);
    EXPECT_EQ(12u, m_pDocRev->m_nDocID);
    EXPECT_EQ(88, m_pDocRev->m_nRevID);
    EXPECT_EQ(CString(L"dwg"), m_pDocRev->m_strFileType);
    EXPECT_EQ(0, m_pDocRev->m_bSignCollected);

    ASSERT_EQ(3, m_pDocRev->m_lstLightFile.GetCount());
    POSITION pos = m_pDocRev->m_lstLightFile.GetHeadPosition();
    POSITION posDlg = m_dlg.m_lstLightFileObj.GetHeadPosition();
    const wchar_t* names[] = {L"A-01.pdf", L"A-01.dwg", L"A-01.xlsx"};
    for (int i = 0; i < 3; ++i) {
        CLightFileObj* pFile = static_cast<CLightFileObj*>(m_pDocRev->m_lstLightFile.GetNext(pos));
        EXPECT_EQ(pFile, m_dlg.m_lstLightFileObj.GetNext(posDlg));
        EXPECT_EQ(700 + i, pFile->m_nObjID);
        EXPECT_EQ(CString(names[i]), pFile->m_strName);
        EXPECT_EQ(m_pDocRev, pFile->m_pDocRev);
    }
}

TEST_F(QueryLightFilesTest, SecondDocumentAddsItsOwnRecord)
{
    m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
    Query();
    CLightDocumentRevObj* pFirst = m_pDocRev;
    m_pDocRev = nullptr;
    Query();
    EXPECT_NE(pFirst, m_pDocRev);
    EXPECT_EQ(2, m_dlg.m_lstDocRevObj.GetCount());
    EXPECT_EQ(6, m_dlg.m_lstLightFileObj.GetCount());
}

// How a query that stops early or cannot start ends: the status, the records kept, the out pointer.
TEST(QueryLightFilesEndTest, StatusRecordsAndOutPointer)
{
    enum Out { kKept, kNull, kFirstRecord };
    const struct {
        const char* name;
        bool threeRows;
        void (*fault)(FakePlmSystem&);
        HRESULT result;
        int revisions;
        int files;
        Out out;
    } cases[] = {
        {"no row", false, [](FakePlmSystem&) {}, 0, 0, 0, kNull},
        {"first IsEof fails", true, [](FakePlmSystem& s) { s.db.failIsEofCall = 1; }, 0, 0, 0, kKept},
        {"second MoveNext fails", true, [](FakePlmSystem& s) { s.db.failMoveNextCall = 2; }, kEofStatus, 1, 2,
            kFirstRecord},
        {"IsEof after the first row fails", true, [](FakePlmSystem& s) { s.db.failIsEofCall = 2; }, kEofStatus, 1,
            1, kFirstRecord},
        // The fifth read is the second row's OBJ_ID: four reads per row.
        {"COM error in the second row", true, [](FakePlmSystem& s) { s.db.throwOnGetFieldCall = 5; }, 0, 1, 1,
            kFirstRecord},
        {"null query", true, [](FakePlmSystem& s) { s.config.nullQuery = true; }, 0, 0, 0, kKept},
        {"no transaction", true, [](FakePlmSystem& s) { s.config.getTransaction = E_ACCESSDENIED; },
            E_ACCESSDENIED, 0, 0, kKept},
        {"no query", true, [](FakePlmSystem& s) { s.config.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY, 0, 0,
            kKept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryRun run;
        if (c.threeRows)
            run.m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
        c.fault(run.m_system);
        EXPECT_EQ(c.result, run.Query());
        EXPECT_EQ(c.revisions, run.m_dlg.m_lstDocRevObj.GetCount());
        EXPECT_EQ(c.files, run.m_dlg.m_lstLightFileObj.GetCount());
        if (c.out == kKept) {
            EXPECT_EQ(kUnset, run.m_pDocRev);
        } else if (c.out == kNull) {
            EXPECT_EQ(nullptr, run.m_pDocRev);
        } else if (!run.m_dlg.m_lstDocRevObj.IsEmpty()) {
            auto* pFirst = static_cast<CLightDocumentRevObj*>(run.m_dlg.m_lstDocRevObj.GetHead());
            EXPECT_EQ(pFirst, run.m_pDocRev);
            EXPECT_EQ(c.files, pFirst->m_lstLightFile.GetCount());
        }
        if (FAILED(c.result)) {
            EXPECT_TRUE(run.m_system.db.sql.empty());
        }
    }
}

// The containers start empty on their own; releasing the flow items is the list tests'.
TEST(DocumentSelectDlgLifetime, StartsUncheckedAndFreesItsRecords)
{
    CDocumentSelectDlg dlg;
    EXPECT_EQ(0, dlg.m_nPdfCheck);
    EXPECT_EQ(0, dlg.m_nDwgCheck);
    EXPECT_EQ(0, dlg.m_nStepCheck);
    EXPECT_EQ(5250, dlg.m_nLightFileClassID);
    EXPECT_EQ(nullptr, dlg.m_pRootObject);
    // Records of the dialog are freed with it (LeakSanitizer checks the sanitizer pass).
    CLightDocumentRevObj* pDocRev = new CLightDocumentRevObj;
    CLightFileObj* pFile = new CLightFileObj;
    pFile->m_pDocRev = pDocRev;
    pDocRev->m_lstLightFile.AddTail(pFile);
    dlg.m_lstDocRevObj.AddTail(pDocRev);
    dlg.m_lstLightFileObj.AddTail(pFile);
}

} // namespace
