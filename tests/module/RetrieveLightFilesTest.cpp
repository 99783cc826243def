// RetrieveLightFiles: the document-list lookup writes every light file of one type to disk.
#include <functional>

#include <gtest/gtest.h>

#include <ComRef.h>
#include <win32host/Trace.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "ScratchFolder.h"
#include "catalogue/LightFileQuery.h"

using namespace moduletest;
using namespace viztest;

namespace {

const HRESULT kEofStatus = 0x00000002;

FakeRow LightFileRow(int id, const wchar_t* name)
{
    return {{L"OBJ_ID", std::to_wstring(id)}, {L"name", name}, {L"roleB_id", L"88"}, {L"filetype", L"pdf"}};
}

class RetrieveLightFilesTest : public testing::Test {
protected:
    RetrieveLightFilesTest() : m_doc(MakeDocument(L"Document", 4711)), m_objDoc(m_doc.get())
    {
        m_system.config.tempPath = m_temp.Windows();
        m_system.db.isEofSuccess = kEofStatus;
        m_model.vault.files[501] = {L"A-01.pdf", "first"};
        m_model.vault.files[502] = {L"A-01-2.pdf", "second"};
        m_system.db.rowsFor = [](const std::wstring& sql) {
            if (sql.find(L"T_LightFile") != std::wstring::npos)
                return FakeRows{LightFileRow(501, L"A-01.pdf"), LightFileRow(502, L"A-01-2.pdf")};
            return FakeRows();
        };
    }

    HRESULT Retrieve(const std::wstring& folder) { return RetrieveLightFiles(&m_objDoc, L"pdf", &m_path, folder.c_str()); }

    ScratchFolder m_out;
    ScratchFolder m_temp;
    FakePlmSystem m_system;
    FakeObjectModel m_model;
    FakeRef<FakeOtlObject> m_doc;
    COtlObjectRef m_objDoc;
    CString m_path;
};

TEST_F(RetrieveLightFilesTest, EveryRowIsWrittenAndThePathNamesTheLast)
{
    EXPECT_EQ(0, Retrieve(m_out.Windows()));
    EXPECT_EQ("A-01-2.pdf A-01.pdf", FolderText(m_out.Windows()));
    EXPECT_EQ(m_out.Windows(L"A-01-2.pdf"), std::wstring(m_path));
    ASSERT_EQ(2u, m_model.vault.downloads.size());
    EXPECT_EQ(m_out.Windows(L"A-01.pdf"), m_model.vault.downloads[0]);
    // One revision: its signatures are read once.
    size_t signatureQueries = 0;
    for (const std::wstring& sql : m_system.db.sql)
        signatureQueries += sql.find(L"T_DocumentSignature") != std::wstring::npos;
    EXPECT_EQ(1u, signatureQueries);
}

TEST_F(RetrieveLightFilesTest, NothingRetrievedLeavesThePath)
{
    struct Case {
        const char* name;
        std::function<void(FakePlmSystem&)> arrange;
        HRESULT result;
    } cases[] = {
        {"no row", [](FakePlmSystem& s) { s.db.rowsFor = nullptr; }, 0},
        {"failing first IsEof", [](FakePlmSystem& s) { s.db.failIsEofCall = 1; }, 0},
        {"no transaction", [](FakePlmSystem& s) { s.config.getTransaction = E_ACCESSDENIED; }, E_ACCESSDENIED},
        {"no query", [](FakePlmSystem& s) { s.config.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY},
    };
    const FakeDatabase db = m_system.db;
    const FakeSystemConfig config = m_system.config;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_system.db = db;
        m_system.config = config;
        c.arrange(m_system);
        m_path = L"before";
        EXPECT_EQ(c.result, Retrieve(m_out.Windows()));
        EXPECT_EQ(CString(L"before"), m_path);
        EXPECT_EQ("", FolderText(m_out.Windows()));
    }
}

TEST_F(RetrieveLightFilesTest, BrokenCursorKeepsTheFilesSoFar)
{
    // The first MoveNext of the lookup comes after the signature queries of the first file.
    m_system.db.failMoveNextCall = 1;
    EXPECT_EQ(kEofStatus, Retrieve(m_out.Windows()));
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
    EXPECT_EQ(m_out.Windows(L"A-01.pdf"), std::wstring(m_path));
}

TEST_F(RetrieveLightFilesTest, ComErrorGivesTheLastStatus)
{
    // Execute fails without stopping the lookup; the first IsEof then raises.
    m_system.db.executeResult = E_UNEXPECTED;
    m_system.db.throwOnIsEofCall = 1;
    EXPECT_EQ(E_UNEXPECTED, Retrieve(m_out.Windows()));

    m_system.db.executeResult = S_OK;
    m_system.db.isEofCalls = 0;
    m_system.db.throwOnIsEofCall = 0;
    m_system.db.throwOnGetFieldCall = 5; // OBJ_ID of the second row
    EXPECT_EQ(kEofStatus, Retrieve(m_out.Windows()));
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
}

TEST_F(RetrieveLightFilesTest, FailedFileDoesNotStopTheOthers)
{
    m_model.vault.files[501].download = E_ACCESSDENIED;
    win32host::TraceRecorder trace;
    EXPECT_EQ(0, Retrieve(m_out.Windows()));
    EXPECT_EQ("A-01-2.pdf", FolderText(m_out.Windows()));
    EXPECT_EQ(m_out.Windows(L"A-01-2.pdf"), std::wstring(m_path));
    EXPECT_EQ(1u, trace.OfKind("messagebox").size());
}

} // namespace
