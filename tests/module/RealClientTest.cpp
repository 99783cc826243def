// The lookup and the signing against the working client and a database built for the test:
// the module's SQL runs on the client's schema as it is.
#include <gtest/gtest.h>

#include <comdef.h>
#include <win32host/Trace.h>

#include <ComRef.h>

#include "ClientFolder.h"
#include "TraceFields.h"
#include "SystemInterposer.h"
#include "commands/Exports.h"
#include "catalogue/LightFileQuery.h"

using namespace viztest;

namespace {

class RealClient : public testing::Test {
protected:
    // Signatures of one revision: a text signature placed at 100,200 and a picture at 300,400.
    void AddSignatures(qvclient::FixtureBuilder& fixture, const wchar_t* cls, const qvclient::DocumentFixture& doc)
    {
        LONG writer = fixture.AddUser(L"writer", L"Writer");
        LONG checker = fixture.AddUser(L"checker", L"Checker");
        LONG picture = fixture.AddStoredFile(L"checker.png", "png-bytes");
        m_pictureId = picture;
        fixture.AddSignatureConfig(writer, 1, L"Written", L"", L"", 0);
        fixture.AddSignatureConfig(checker, 2, L"", L"", L"", picture);
        fixture.AddSignatureLocation(L"Written", L"Release", L"100,200", L"");
        fixture.AddSignatureLocation(L"Checked", L"Release", L"300,400", L"");
        fixture.AddSignature(cls, doc.documentId, doc.revisionId, writer, L"2024-03-01 09:00:00", L"Written",
            L"Release");
        fixture.AddSignature(cls, doc.documentId, doc.revisionId, checker, L"2024-03-02 10:00:00", L"Checked",
            L"Release");
    }

    std::string ExpectedJob()
    {
        std::wstring picture = m_client.Client().GetTempPath() + L"\\signature\\" + std::to_wstring(m_pictureId) + L"checker.png";
        return "[PDFSIGN]\r\nNUMBER=2\r\n[SIGN1]\r\nCONTENT=Written\r\nX=100\r\nY=200\r\n[SIGN2]\r\nIMAGE=" +
            win32host::ToUtf8(picture) + "\r\nX=300\r\nY=400\r\n";
    }

    ClientFolder m_client;
    ScratchFolder m_out;
    LONG m_pictureId = 0;
};

TEST_F(RealClient, LookupWritesTheTypesFilesInRowOrderAndSignsThem)
{
    qvclient::FixtureBuilder& fixture = m_client.Fixture();
    const qvclient::DocumentFixture doc = fixture.AddDocumentWithLightFiles(L"Drawing", L"A-01", L"dwg",
        {{L"A-01.pdf", L"pdf", "first", ""}, {L"A-01.dwg", L"dwg", "dwg", ""}, {L"A-01-2.pdf", L"pdf", "second", ""}});
    AddSignatures(fixture, L"Drawing", doc);
    ASSERT_EQ(S_OK, m_client.Open());

    COtlObjectRef objDocument(m_client.Object(L"Drawing", doc.documentId));
    CString strPath;
    win32host::TraceRecorder trace;
    EXPECT_EQ(0, RetrieveLightFiles(&objDocument, L"pdf", &strPath, m_out.Windows().c_str()));

    // One revision: its signatures are read once.
    size_t signatureQueries = 0;
    for (const std::string& sql : TraceFields(trace, "sql", {"text"}))
        signatureQueries += sql.find("T_DocumentSignature") != std::string::npos;
    EXPECT_EQ(1u, signatureQueries);
    EXPECT_EQ(m_out.Windows(L"A-01-2.pdf"), std::wstring(strPath));
    EXPECT_EQ("first", ReadFile(m_out.Windows(L"A-01.pdf")));
    EXPECT_EQ("second", ReadFile(m_out.Windows(L"A-01-2.pdf")));
    EXPECT_FALSE(FileExists(m_out.Windows(L"A-01.dwg")));
    EXPECT_EQ(ExpectedJob(), ReadFile(m_out.Windows(L"A-01.pdf.ini.captured")));
    EXPECT_EQ(ExpectedJob(), ReadFile(m_out.Windows(L"A-01-2.pdf.ini.captured")));
    EXPECT_EQ("png-bytes", ReadFile(m_client.Client().GetTempPath() + L"\\signature\\" + std::to_wstring(m_pictureId) +
                                    L"checker.png"));
}

// The SignPdf export: the revision's signatures onto one PDF; without signatures, or without the
// transaction to read them, the file stays as it was.
TEST_F(RealClient, SignPdfSignsWithTheRevisionsSignatures)
{
    qvclient::FixtureBuilder& fixture = m_client.Fixture();
    const qvclient::DocumentFixture doc = fixture.AddDocumentWithLightFiles(L"3DDocument", L"M-01", L"prt", {});
    const qvclient::DocumentFixture unsigned_ = fixture.AddDocumentWithLightFiles(L"Document", L"U-01", L"doc", {});
    AddSignatures(fixture, L"3DDocument", doc);
    ASSERT_EQ(S_OK, m_client.Open());
    const std::wstring pdf = m_out.Windows(L"A-01.pdf");
    WriteFile(pdf, "%PDF");

    EXPECT_EQ(S_OK, SignPdf(unsigned_.documentId, L"Document", unsigned_.revisionId, pdf.c_str()));
    SystemFaults faults;
    faults.transaction = E_ACCESSDENIED;
    {
        SystemInterposer system(m_client.Client(), faults);
        EXPECT_EQ(E_ACCESSDENIED, SignPdf(doc.documentId, L"3DDocument", doc.revisionId, pdf.c_str()));
    }
    EXPECT_EQ(1, faults.transactionCalls);
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
    EXPECT_EQ("%PDF", ReadFile(pdf));

    EXPECT_EQ(S_OK, SignPdf(doc.documentId, L"3DDocument", doc.revisionId, pdf.c_str()));
    EXPECT_EQ(ExpectedJob(), ReadFile(pdf + L".ini.captured"));
    EXPECT_FALSE(FileExists(pdf + L".ini"));
}

} // namespace
