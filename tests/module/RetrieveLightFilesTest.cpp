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

    ScratchFolder m_temp;
    FakePlmSystem m_system;
    FakeObjectModel m_model;
    FakeRef<FakeOtlObject> m_doc;
    COtlObjectRef m_objDoc;
    CString m_path;
    win32host::TraceRecorder m_trace;
};

// How the lookup ends: the status, the files written (the path names the last), the messages.
TEST_F(RetrieveLightFilesTest, StatusFilesAndPath)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        HRESULT result;
        const char* files;
        const wchar_t* path; // "before": left as it was
        size_t messages;
    } cases[] = {
        {"two rows", [] {}, 0, "A-01-2.pdf A-01.pdf", L"A-01-2.pdf", 0},
        {"no row", [this] { m_system.db.rowsFor = nullptr; }, 0, "", L"before", 0},
        {"failing first IsEof", [this] { m_system.db.failIsEofCall = 1; }, 0, "", L"before", 0},
        {"no transaction", [this] { m_system.config.getTransaction = E_ACCESSDENIED; }, E_ACCESSDENIED, "", L"before", 0},
        {"no query", [this] { m_system.config.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY, "", L"before", 0},
        // The first MoveNext of the lookup comes after the signature queries of the first file.
        {"broken cursor keeps the files so far", [this] { m_system.db.failMoveNextCall = 1; }, kEofStatus, "A-01.pdf",
            L"A-01.pdf", 0},
        // Execute fails without stopping the lookup; the first IsEof then raises.
        {"COM error at the first IsEof",
            [this] {
                m_system.db.executeResult = E_UNEXPECTED;
                m_system.db.throwOnIsEofCall = 1;
            },
            E_UNEXPECTED, "", L"before", 0},
        {"COM error at the second row's OBJ_ID", [this] { m_system.db.throwOnGetFieldCall = 5; }, kEofStatus,
            "A-01.pdf", L"A-01.pdf", 0},
        {"a failed file does not stop the others", [this] { m_model.vault.files[501].download = E_ACCESSDENIED; }, 0,
            "A-01-2.pdf", L"A-01-2.pdf", 1},
    };
    const FakeDatabase db = m_system.db;
    const FakeSystemConfig config = m_system.config;
    const auto files = m_model.vault.files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_system.db = db;
        m_system.config = config;
        m_model.vault.files = files;
        c.arrange();
        m_trace.Clear();
        ScratchFolder out;
        m_path = L"before";
        EXPECT_EQ(c.result, Retrieve(out.Windows()));
        EXPECT_EQ(c.files, FolderText(out.Windows()));
        EXPECT_EQ(std::wstring(c.path) == L"before" ? L"before" : out.Windows(c.path), std::wstring(m_path));
        EXPECT_EQ(c.messages, m_trace.OfKind("messagebox").size());
    }
}

} // namespace
