// The SignPdf export, as the client calls it for a PDF of its own: the revision's signatures go
// onto the file.
#include "CommandTest.h"

#include "Spawn.h"
#include "TestPdf.h"

namespace e2e {
namespace {

class SignPdfExportTest : public CommandTest {
protected:
    void SetUp() override
    {
        CommandTest::SetUp();
        const Signer zhao = AddTextSigner(Fixture(), L"zhao", L"Designed by Zhao Lei");
        const Signer qian = AddTextSigner(Fixture(), L"qian", L"Approved by Qian Yu");
        m_doc = Document(L"Drawing", {});
        Sign(Fixture(), zhao, L"Drawing", m_doc);
        // Another drawing's signature must not reach this one's PDF.
        Sign(Fixture(), qian, L"Drawing", Document(L"Drawing", {}));
        ASSERT_EQ(S_OK, Client().Open());
        m_out = Client().MakeFolder("out");
    }

    std::wstring WriteOut(const std::wstring& name, const std::string& content)
    {
        const std::wstring path = m_out + L"\\" + name;
        FILE* f = std::fopen(PosixOf(path).c_str(), "wb");
        if (f) {
            std::fwrite(content.data(), 1, content.size(), f);
            std::fclose(f);
        }
        return path;
    }

    qvclient::DocumentFixture m_doc;
    std::wstring m_out;
};

TEST_F(SignPdfExportTest, PdfGetsTheRevisionsSignaturesOnly)
{
    const std::wstring pdf = WriteOut(L"A-01.pdf", MakePdf("Drawing A-01"));

    EXPECT_EQ(0, Module().SignPdf(m_doc.documentId, L"Drawing", m_doc.revisionId, pdf.c_str()));

    const std::string text = PdfText(PosixOf(pdf));
    EXPECT_NE(std::string::npos, text.find("Drawing A-01")) << text;
    EXPECT_NE(std::string::npos, text.find("Designed by Zhao Lei")) << text;
    EXPECT_EQ(std::string::npos, text.find("Qian Yu")) << text;
    const auto signedEvents = Events("signed");
    ASSERT_EQ(1u, signedEvents.size());
    EXPECT_EQ("1", signedEvents[0].Get("result"));
    // The job file was the plug-in's only for the call.
    EXPECT_EQ(std::vector<std::string>{"A-01.pdf"}, ListFolder(m_out));
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(SignPdfExportTest, OtherFileWithSignaturesFailsAndStaysAsItWas)
{
    const std::wstring dwg = WriteOut(L"A-01.dwg", "dwg drawing bytes");

    EXPECT_EQ(E_FAIL, Module().SignPdf(m_doc.documentId, L"Drawing", m_doc.revisionId, dwg.c_str()));

    EXPECT_EQ("dwg drawing bytes", ReadFile(dwg));
    EXPECT_EQ(std::vector<std::string>{"A-01.dwg"}, ListFolder(m_out));
    EXPECT_TRUE(Events("plugin_call").empty());
}

} // namespace
} // namespace e2e
