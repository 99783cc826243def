// RetrieveLightFiles: the document-list lookup writes every light file of one type to disk.
#include <gtest/gtest.h>

#include <ComRef.h>
#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "SystemInterposer.h"
#include "manager/RetrieveLightFile.h"

using namespace viztest;

namespace {

const HRESULT kEofStatus = 0x00000002;

// How the lookup ends: the status, the files written (the path names the last), the messages.
TEST(RetrieveLightFilesTest, StatusFilesAndPath)
{
    ClientFolder client;
    const qvclient::DocumentFixture doc = client.Fixture().AddDocumentWithLightFiles(L"Document", L"A-01", L"doc",
        {{L"A-01.pdf", L"pdf", "first", ""}, {L"A-01-2.pdf", L"pdf", "second", ""}, {L"A-01.dwg", L"dwg", "", ""}});
    // A name that would leave the folder is a failed fetch.
    const qvclient::DocumentFixture odd = client.Fixture().AddDocumentWithLightFiles(L"Document", L"B-01", L"doc",
        {{L"..\\B-01.pdf", L"pdf", "first", ""}, {L"B-01-2.pdf", L"pdf", "second", ""}});
    ASSERT_EQ(S_OK, client.Open());
    struct Case {
        const char* name;
        void (*arrange)(SystemFaults&);
        const wchar_t* type;
        HRESULT result;
        const char* files;
        const wchar_t* path; // "before": left as it was
        size_t messages;
        LONG document = 0; // the first document unless given
    } cases[] = {
        {"two rows", [](SystemFaults&) {}, L"pdf", 0, "A-01-2.pdf A-01.pdf", L"A-01-2.pdf", 0},
        {"no row", [](SystemFaults&) {}, L"step", 0, "", L"before", 0},
        {"failing first IsEof", [](SystemFaults& f) { f.failIsEofCall = 1; }, L"pdf", 0, "", L"before", 0},
        {"no transaction", [](SystemFaults& f) { f.transaction = E_ACCESSDENIED; }, L"pdf", E_ACCESSDENIED, "",
            L"before", 0},
        {"no query", [](SystemFaults& f) { f.createQuery = E_OUTOFMEMORY; }, L"pdf", E_OUTOFMEMORY, "", L"before", 0},
        // The first MoveNext of the lookup: the first file's signature queries have no rows.
        {"broken cursor keeps the files so far", [](SystemFaults& f) { f.failMoveNextCall = 1; }, L"pdf", kEofStatus,
            "A-01.pdf", L"A-01.pdf", 0},
        // Execute fails without stopping the lookup; the first IsEof then raises.
        {"COM error at the first IsEof",
            [](SystemFaults& f) {
                f.execute = E_UNEXPECTED;
                f.throwOnIsEofCall = 1;
            },
            L"pdf", E_UNEXPECTED, "", L"before", 0},
        {"COM error at the second row's OBJ_ID", [](SystemFaults& f) { f.throwOnGetFieldCall = 5; }, L"pdf",
            kEofStatus, "A-01.pdf", L"A-01.pdf", 0},
        {"a failed file does not stop the others", [](SystemFaults&) {}, L"pdf", 0, "B-01-2.pdf", L"B-01-2.pdf", 1,
            odd.documentId},
    };
    winenv::TraceRecorder trace;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemFaults faults;
        faults.isEofSuccess = kEofStatus;
        c.arrange(faults);
        faults.failingTransactions = 100;
        SystemInterposer system(client.Client(), faults);
        COtlObjectRef objDoc(client.Object(L"Document", c.document != 0 ? c.document : doc.documentId));
        trace.Clear();
        ScratchFolder out;
        CString path = L"before";
        EXPECT_EQ(c.result, RetrieveLightFiles(&objDoc, c.type, &path, out.Windows().c_str()));
        EXPECT_EQ(c.files, FolderText(out.Windows()));
        EXPECT_EQ(std::wstring(c.path) == L"before" ? L"before" : out.Windows(c.path), std::wstring(path));
        EXPECT_EQ(c.messages, trace.OfKind("messagebox").size());
    }
}

} // namespace
