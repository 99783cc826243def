// CDocumentSelectDlg::QueryLightFiles: one revision record with a light file record per row,
// owned by the dialog.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "FakeUi.h"
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

class QueryLightFilesTest : public testing::Test {
protected:
    QueryLightFilesTest() : m_doc(MakeDocument(L"Drawing", 12)), m_objDoc(m_doc.get())
    {
        m_system.db.isEofSuccess = kEofStatus;
    }

    HRESULT Query() { return m_dlg.QueryLightFiles(&m_objDoc, &m_pDocRev); }

    FakePlmSystem m_system;
    FakeRef<FakeOtlObject> m_doc;
    COtlObjectRef m_objDoc;
    CDocumentSelectDlg m_dlg;
    CLightDocumentRevObj* m_pDocRev = reinterpret_cast<CLightDocumentRevObj*>(0x1); // "as the caller set it"
};

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

TEST_F(QueryLightFilesTest, NoRowGivesNoRecord)
{
    EXPECT_EQ(0, Query());
    EXPECT_EQ(nullptr, m_pDocRev);
    EXPECT_TRUE(m_dlg.m_lstDocRevObj.IsEmpty());
    EXPECT_TRUE(m_dlg.m_lstLightFileObj.IsEmpty());
}

TEST_F(QueryLightFilesTest, FailingFirstEofLeavesTheOutPointer)
{
    m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
    m_system.db.failIsEofCall = 1;
    EXPECT_EQ(0, Query());
    EXPECT_EQ(reinterpret_cast<CLightDocumentRevObj*>(0x1), m_pDocRev);
    EXPECT_TRUE(m_dlg.m_lstLightFileObj.IsEmpty());
}

TEST_F(QueryLightFilesTest, BrokenCursorKeepsWhatWasRead)
{
    m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
    m_system.db.failMoveNextCall = 2;
    EXPECT_EQ(kEofStatus, Query());
    ASSERT_NE(nullptr, m_pDocRev);
    EXPECT_EQ(2, m_pDocRev->m_lstLightFile.GetCount());
    EXPECT_EQ(2, m_dlg.m_lstLightFileObj.GetCount());

    m_pDocRev = nullptr;
    m_system.db.failMoveNextCall = 0;
    m_system.db.isEofCalls = 0;
    m_system.db.failIsEofCall = 2; // the one after the first row
    EXPECT_EQ(kEofStatus, Query());
    ASSERT_NE(nullptr, m_pDocRev);
    EXPECT_EQ(1, m_pDocRev->m_lstLightFile.GetCount());
}

TEST_F(QueryLightFilesTest, ComErrorGivesZeroAndKeepsRecords)
{
    m_system.db.rowsFor = [](const std::wstring&) { return ThreeFiles(); };
    m_system.db.throwOnGetFieldCall = 5; // OBJ_ID of the second row (4 reads for the first)
    EXPECT_EQ(0, Query());
    EXPECT_EQ(1, m_dlg.m_lstDocRevObj.GetCount());
    EXPECT_EQ(1, m_dlg.m_lstLightFileObj.GetCount());
}

TEST_F(QueryLightFilesTest, NullQueryGivesZero)
{
    m_system.config.nullQuery = true;
    EXPECT_EQ(0, Query());
}

TEST_F(QueryLightFilesTest, NoTransactionOrQueryGivesTheStatus)
{
    m_system.config.getTransaction = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, Query());
    m_system.config.getTransaction = S_OK;
    m_system.config.createQuery = E_OUTOFMEMORY;
    EXPECT_EQ(E_OUTOFMEMORY, Query());
    EXPECT_EQ(reinterpret_cast<CLightDocumentRevObj*>(0x1), m_pDocRev);
    EXPECT_TRUE(m_system.db.sql.empty());
}

TEST(DocumentSelectDlgLifetime, StartsEmptyAndReleasesItsFlowItems)
{
    FakeRef<FakeFlowItem> item = MakeFake<FakeFlowItem>();
    ULONG before = item->Count();
    {
        CDocumentSelectDlg dlg;
        EXPECT_EQ(0, dlg.m_nPdfCheck);
        EXPECT_EQ(0, dlg.m_nDwgCheck);
        EXPECT_EQ(0, dlg.m_nStepCheck);
        EXPECT_EQ(5250, dlg.m_nLightFileClassID);
        EXPECT_EQ(nullptr, dlg.m_pRootObject);
        EXPECT_TRUE(dlg.m_lstFlowItems.empty());
        EXPECT_TRUE(dlg.m_lstDocRevObj.IsEmpty());
        EXPECT_TRUE(dlg.m_lstLightFileObj.IsEmpty());
        EXPECT_EQ(0, dlg.m_arrFiles.GetSize());

        dlg.m_lstFlowItems.push_back(IQvUiFlowItemPtr(static_cast<IQvUiFlowItem*>(item.get())));
        dlg.m_lstFlowItems.push_back(IQvUiFlowItemPtr(static_cast<IQvUiFlowItem*>(item.get())));
        EXPECT_EQ(before + 2, item->Count());

        // Records of the dialog are freed with it (LeakSanitizer checks the sanitizer pass).
        CLightDocumentRevObj* pDocRev = new CLightDocumentRevObj;
        CLightFileObj* pFile = new CLightFileObj;
        pFile->m_pDocRev = pDocRev;
        pDocRev->m_lstLightFile.AddTail(pFile);
        dlg.m_lstDocRevObj.AddTail(pDocRev);
        dlg.m_lstLightFileObj.AddTail(pFile);
    }
    EXPECT_EQ(before, item->Count());
}

} // namespace
