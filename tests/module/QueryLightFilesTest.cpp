// CDocumentSelectDlg::QueryLightFiles: one revision record with a light file record per row,
// owned by the dialog.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "ClientFolder.h"
#include "SystemInterposer.h"
#include "manager/DocumentSelectDlg.h"

using namespace viztest;

namespace {

const HRESULT kEofStatus = 0x00000002; // a success status of the first IsEof, told apart from 0

// "As the caller set it": what the out pointer holds before the query.
CLightDocumentRevObj* const kUnset = reinterpret_cast<CLightDocumentRevObj*>(0x1);

// The dialog, the real client and one drawing with three light files to query.
class QueryLightFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_doc = m_client.Fixture().AddDocumentWithLightFiles(L"Drawing", L"A-01", L"dwg",
            {{L"A-01.pdf", L"pdf", "", ""}, {L"A-01.dwg", L"dwg", "", ""}, {L"A-01.xlsx", L"xlsx", "", ""}});
        m_empty = m_client.Fixture().AddDocumentWithLightFiles(L"Drawing", L"B-01", L"dwg", {});
        ASSERT_EQ(S_OK, m_client.Open());
    }

    // A query of the drawing (or of one without light files) through the dialog, with the faults given.
    HRESULT Query(CDocumentSelectDlg& dlg, CLightDocumentRevObj*& pDocRev, SystemFaults& faults, bool empty = false)
    {
        faults.isEofSuccess = kEofStatus;
        SystemInterposer system(m_client.Client(), faults);
        COtlObjectRef objDoc(m_client.Object(L"Drawing", (empty ? m_empty : m_doc).documentId));
        return dlg.QueryLightFiles(&objDoc, &pDocRev);
    }

    ClientFolder m_client;
    qvclient::DocumentFixture m_doc;
    qvclient::DocumentFixture m_empty;
};

TEST_F(QueryLightFilesTest, EachDocumentGivesOneRevisionWithItsFiles)
{
    CDocumentSelectDlg dlg;
    SystemFaults faults;
    CLightDocumentRevObj* pDocRev = kUnset;
    EXPECT_EQ(0, Query(dlg, pDocRev, faults));
    ASSERT_NE(nullptr, pDocRev);
    EXPECT_EQ(1, dlg.m_lstDocRevObj.GetCount());
    EXPECT_EQ(pDocRev, dlg.m_lstDocRevObj.GetHead());
    EXPECT_EQ(3, dlg.m_lstLightFileObj.GetCount());
    EXPECT_EQ(CString(L"Drawing"), pDocRev->m_strClassName);
    EXPECT_EQ(static_cast<UINT>(m_doc.documentId), pDocRev->m_nDocID);
    EXPECT_EQ(m_doc.revisionId, pDocRev->m_nRevID);
    EXPECT_EQ(CString(L"dwg"), pDocRev->m_strFileType);
    EXPECT_EQ(0, pDocRev->m_bSignCollected);

    ASSERT_EQ(3, pDocRev->m_lstLightFile.GetCount());
    POSITION pos = pDocRev->m_lstLightFile.GetHeadPosition();
    POSITION posDlg = dlg.m_lstLightFileObj.GetHeadPosition();
    const wchar_t* names[] = {L"A-01.pdf", L"A-01.dwg", L"A-01.xlsx"};
    for (int i = 0; i < 3; ++i) {
        CLightFileObj* pFile = static_cast<CLightFileObj*>(pDocRev->m_lstLightFile.GetNext(pos));
        EXPECT_EQ(pFile, dlg.m_lstLightFileObj.GetNext(posDlg));
        EXPECT_EQ(m_doc.lightFileIds.at(i), pFile->m_nObjID);
        EXPECT_EQ(CString(names[i]), pFile->m_strName);
        EXPECT_EQ(pDocRev, pFile->m_pDocRev);
    }

    CLightDocumentRevObj* pFirst = pDocRev;
    Query(dlg, pDocRev, faults);
    EXPECT_NE(pFirst, pDocRev);
    EXPECT_EQ(2, dlg.m_lstDocRevObj.GetCount());
    EXPECT_EQ(6, dlg.m_lstLightFileObj.GetCount());
}

// How a query that stops early or cannot start ends: the status, the records kept, the out pointer.
TEST_F(QueryLightFilesTest, StatusRecordsAndOutPointer)
{
    enum Out { kKept, kNull, kFirstRecord };
    const struct {
        const char* name;
        void (*fault)(SystemFaults&);
        HRESULT result;
        int revisions;
        int files;
        Out out;
    } cases[] = {
        {"no row", nullptr, 0, 0, 0, kNull},
        {"first IsEof fails", [](SystemFaults& f) { f.failIsEofCall = 1; }, 0, 0, 0, kKept},
        {"second MoveNext fails", [](SystemFaults& f) { f.failMoveNextCall = 2; }, kEofStatus, 1, 2, kFirstRecord},
        {"IsEof after the first row fails", [](SystemFaults& f) { f.failIsEofCall = 2; }, kEofStatus, 1, 1,
            kFirstRecord},
        // The fifth read is the second row's OBJ_ID: four reads per row.
        {"COM error in the second row", [](SystemFaults& f) { f.throwOnGetFieldCall = 5; }, 0, 1, 1, kFirstRecord},
        {"null query", [](SystemFaults& f) { f.nullQuery = true; }, 0, 0, 0, kKept},
        {"no transaction", [](SystemFaults& f) { f.transaction = E_ACCESSDENIED; }, E_ACCESSDENIED, 0, 0, kKept},
        {"no query", [](SystemFaults& f) { f.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY, 0, 0, kKept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SystemFaults faults;
        if (c.fault)
            c.fault(faults);
        CDocumentSelectDlg dlg;
        CLightDocumentRevObj* pDocRev = kUnset;
        EXPECT_EQ(c.result, Query(dlg, pDocRev, faults, !c.fault));
        EXPECT_EQ(c.revisions, dlg.m_lstDocRevObj.GetCount());
        EXPECT_EQ(c.files, dlg.m_lstLightFileObj.GetCount());
        if (c.out == kKept) {
            EXPECT_EQ(kUnset, pDocRev);
        } else if (c.out == kNull) {
            EXPECT_EQ(nullptr, pDocRev);
        } else if (!dlg.m_lstDocRevObj.IsEmpty()) {
            auto* pFirst = static_cast<CLightDocumentRevObj*>(dlg.m_lstDocRevObj.GetHead());
            EXPECT_EQ(pFirst, pDocRev);
            EXPECT_EQ(c.files, pFirst->m_lstLightFile.GetCount());
        }
        if (FAILED(c.result)) {
            EXPECT_TRUE(faults.sql.empty());
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
