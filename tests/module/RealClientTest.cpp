// The lookup and the signing export against the working client and a database built for the test:
// the module's SQL runs on the client's schema as it is.
#include <gtest/gtest.h>

#include <comdef.h>
#include <qvclient/Client.h>
#include <qvclient/Fixture.h>
#include <win32host/Trace.h>

#include <ComRef.h>

#include "ScratchFolder.h"
#include "catalogue/LightFileQuery.h"
#include "commands/Exports.h"

using namespace viztest;

namespace {

class RealClient : public testing::Test {
protected:
    void Open()
    {
        ASSERT_EQ(S_OK, m_client.Open(m_folder.Windows()));
        ASSERT_EQ(S_OK, m_client.RegisterComponents());
    }

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

    std::string ExpectedJob() const
    {
        std::wstring picture = m_client.GetTempPath() + L"\\signature\\" + std::to_wstring(m_pictureId) + L"checker.png";
        return "[PDFSIGN]\r\nNUMBER=2\r\n[SIGN1]\r\nCONTENT=Written\r\nX=100\r\nY=200\r\n[SIGN2]\r\nIMAGE=" +
            win32host::ToUtf8(picture) + "\r\nX=300\r\nY=400\r\n";
    }

    ScratchFolder m_folder;
    ScratchFolder m_out;
    qvclient::Client m_client;
    LONG m_pictureId = 0;
};

TEST_F(RealClient, LookupWritesTheTypesFilesInRowOrderAndSignsThem)
{
    qvclient::DocumentFixture doc;
    {
        qvclient::FixtureBuilder fixture(m_folder.Windows());
        doc = fixture.AddDocumentWithLightFiles(L"Drawing", L"A-01", L"dwg",
            {{L"A-01.pdf", L"pdf", "first", ""}, {L"A-01.dwg", L"dwg", "dwg", ""}, {L"A-01-2.pdf", L"pdf", "second", ""}});
        AddSignatures(fixture, L"Drawing", doc);
        ASSERT_EQ(S_OK, fixture.GetStatus());
    }
    Open();

    IQvOtlObjectPtr spDocument;
    ASSERT_EQ(S_OK, qvclient::OpenObject(L"Drawing", doc.documentId, &spDocument));
    COtlObjectRef objDocument(spDocument);
    CString strPath;
    EXPECT_EQ(0, RetrieveLightFiles(&objDocument, L"pdf", &strPath, m_out.Windows().c_str()));

    EXPECT_EQ(m_out.Windows(L"A-01-2.pdf"), std::wstring(strPath));
    EXPECT_EQ("first", ReadFile(m_out.Windows(L"A-01.pdf")));
    EXPECT_EQ("second", ReadFile(m_out.Windows(L"A-01-2.pdf")));
    EXPECT_FALSE(FileExists(m_out.Windows(L"A-01.dwg")));
    EXPECT_EQ(ExpectedJob(), ReadFile(m_out.Windows(L"A-01.pdf.ini.captured")));
    EXPECT_EQ(ExpectedJob(), ReadFile(m_out.Windows(L"A-01-2.pdf.ini.captured")));
    EXPECT_EQ("png-bytes", ReadFile(m_client.GetTempPath() + L"\\signature\\" + std::to_wstring(m_pictureId) +
                                    L"checker.png"));
}

TEST_F(RealClient, LookupOfA3DDocumentTakesTheTypeAsGiven)
{
    qvclient::DocumentFixture doc;
    {
        qvclient::FixtureBuilder fixture(m_folder.Windows());
        doc = fixture.AddDocumentWithLightFiles(L"3DDocument", L"M-01", L"prt", {{L"M-01.stp", L"step", "step", ""}});
        ASSERT_EQ(S_OK, fixture.GetStatus());
    }
    Open();

    IQvOtlObjectPtr spDocument;
    ASSERT_EQ(S_OK, qvclient::OpenObject(L"3DDocument", doc.documentId, &spDocument));
    COtlObjectRef objDocument(spDocument);
    CString strPath;
    EXPECT_EQ(0, RetrieveLightFiles(&objDocument, L"pdf", &strPath, m_out.Windows().c_str()));
    EXPECT_TRUE(strPath.IsEmpty());
    EXPECT_EQ(0, RetrieveLightFiles(&objDocument, L"step", &strPath, m_out.Windows().c_str()));
    EXPECT_EQ(m_out.Windows(L"M-01.stp"), std::wstring(strPath));

    int nID = 0;
    EXPECT_EQ(1, FindLightFileOfType(&objDocument, L"pdf", &nID));
    EXPECT_EQ(doc.lightFileIds.at(0), nID);
    EXPECT_EQ(0, FindLightFileOfType(&objDocument, L"dwg", &nID));
}

TEST_F(RealClient, SignPdfExportSignsWithTheRevisionsSignatures)
{
    qvclient::DocumentFixture doc;
    {
        qvclient::FixtureBuilder fixture(m_folder.Windows());
        doc = fixture.AddDocumentWithLightFiles(L"Document", L"D-01", L"doc", {});
        AddSignatures(fixture, L"Document", doc);
        ASSERT_EQ(S_OK, fixture.GetStatus());
    }
    Open();
    WriteFile(m_out.Windows(L"D-01.pdf"), "%PDF");

    EXPECT_EQ(S_OK, SignPdf(doc.documentId, L"Document", doc.revisionId, m_out.Windows(L"D-01.pdf").c_str()));
    EXPECT_EQ(ExpectedJob(), ReadFile(m_out.Windows(L"D-01.pdf.ini.captured")));
    EXPECT_FALSE(FileExists(m_out.Windows(L"D-01.pdf.ini")));
}

} // namespace
