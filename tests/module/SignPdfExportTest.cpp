// The SignPdf export: collect, then sign one PDF.
#include <gtest/gtest.h>

#include "FakePlm.h"
#include "ScratchFolder.h"
#include "commands/Exports.h"

using namespace moduletest;
using namespace viztest;

namespace {

class SignPdfExport : public testing::Test {
protected:
    SignPdfExport()
    {
        WriteFile(m_out.Windows(L"A-01.pdf"), "%PDF");
        m_system.db.rowsFor = [](const std::wstring& sql) {
            if (sql.find(L"ROLEA_CLASS_ID = 1004 AND Rev_id = 88") != std::wstring::npos)
                return FakeRows{{{L"roleB_id", L"901"}}};
            if (sql.find(L"T_Signature.OBJ_ID = 901") != std::wstring::npos)
                return FakeRows{{{L"Format", L"1"}, {L"SignContent", L"ok"}, {L"NameLocation", L"5,6"}}};
            return FakeRows();
        };
    }

    std::wstring Pdf() const { return m_out.Windows(L"A-01.pdf"); }

    ScratchFolder m_out;
    FakePlmSystem m_system;
};

TEST_F(SignPdfExport, SignsWithTheRevisionsSignatures)
{
    EXPECT_EQ(S_OK, SignPdf(4711, L"3DDocument", 88, Pdf().c_str()));
    EXPECT_EQ("[PDFSIGN]\r\nNUMBER=1\r\n[SIGN1]\r\nCONTENT=ok\r\nX=5\r\nY=6\r\n",
        ReadFile(Pdf() + L".ini.captured"));
    EXPECT_FALSE(FileExists(Pdf() + L".ini"));
}

TEST_F(SignPdfExport, NoSignatureLeavesTheFileAlone)
{
    EXPECT_EQ(S_OK, SignPdf(4711, L"Document", 88, Pdf().c_str()));
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
}

TEST_F(SignPdfExport, FailedCollectionIsReturnedAndTouchesNothing)
{
    m_system.config.getTransaction = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, SignPdf(4711, L"3DDocument", 88, Pdf().c_str()));
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
    EXPECT_EQ("%PDF", ReadFile(Pdf()));
}

} // namespace
