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
        viztest::WriteFile(m_out + L"\\" + name, content);
        return m_out + L"\\" + name;
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

// The job file is in the ANSI code page (936) as on the users' Chinese Windows: the demo's signer
// names reach the PDF as they were; a character outside the code page reaches it as '?'.
class SignerNamesThroughTheJob : public CommandTest {
protected:
    struct Case {
        const wchar_t* name;
        const char* signed_;
        qvclient::DocumentFixture doc;
    };

    void SetUp() override
    {
        CommandTest::SetUp();
        int n = 0;
        for (Case& c : m_cases) {
            const Signer signer = AddTextSigner(Fixture(), L"signer" + std::to_wstring(++n), c.name);
            c.doc = Document(L"Drawing", {});
            Sign(Fixture(), signer, L"Drawing", c.doc);
        }
        ASSERT_EQ(S_OK, Client().Open());
        m_out = Client().MakeFolder("out");
    }

    std::vector<Case> m_cases = {
        {L"张工", "张工", {}},
        {L"赵敏", "赵敏", {}},
        {L"李工 审核", "李工 审核", {}},
        {L"김민준 Kim", "??? Kim", {}},
    };
    std::wstring m_out;
};

TEST_F(SignerNamesThroughTheJob, ReachThePdfInTheAnsiCodePage)
{
    for (const Case& c : m_cases) {
        const std::wstring pdf = m_out + L"\\A-01.pdf";
        viztest::WriteFile(pdf, MakePdf("Drawing A-01"));
        trace.Clear();
        EXPECT_EQ(0, Module().SignPdf(c.doc.documentId, L"Drawing", c.doc.revisionId, pdf.c_str()));
        const auto signedEvents = Events("signed");
        ASSERT_EQ(1u, signedEvents.size()) << c.signed_;
        const std::string expected = std::string("SIGN1 text \"") + c.signed_ + "\"";
        EXPECT_NE(std::string::npos, signedEvents[0].Get("stamps").find(expected))
            << "expected " << expected << " in " << signedEvents[0].Get("stamps");
    }
}

} // namespace
} // namespace e2e
