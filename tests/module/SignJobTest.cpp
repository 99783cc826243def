// The signing job file handed to SignPdf.dll, compared whole as the signer received it, and the
// cases in which SignFile signs nothing.
#include <gtest/gtest.h>

#include <win32host/Trace.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "ScratchFolder.h"
#include "catalogue/LightFileObj.h"
#include "signing/SignFile.h"
#include "signing/SignInfo.h"

using namespace moduletest;
using namespace viztest;

namespace {

CSignInfo* TextSign(const wchar_t* content, const wchar_t* location, const wchar_t* font = L"")
{
    CSignInfo* pSign = new CSignInfo;
    pSign->m_nFormat = 1;
    pSign->m_strSignContent = content;
    pSign->m_strNameLocation = location;
    pSign->m_strFont = font;
    return pSign;
}

CSignInfo* PictureSign(const wchar_t* fileID, const wchar_t* location)
{
    CSignInfo* pSign = new CSignInfo;
    pSign->m_nFormat = 2;
    pSign->m_strPictureFileID = fileID;
    pSign->m_strNameLocation = location;
    return pSign;
}

// Lines joined with CRLF, as the profile functions write them.
std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

class SignJob : public testing::Test {
protected:
    SignJob()
    {
        m_system.config.tempPath = m_temp.Windows();
        m_model.vault.files[12] = {L"sign.png", "png"};
        m_model.vault.files[0] = {L"zero.png", "png"};
        WriteFile(Pdf(), "%PDF-1.4");
    }

    std::wstring Pdf() const { return m_out.Windows(L"A-01.pdf"); }
    std::string Picture(const char* name) const
    {
        return win32host::ToUtf8(m_temp.Windows(L"signature\\")) + name;
    }

    // Signs the PDF and gives the job as the signer received it.
    std::string SignAndCapture()
    {
        HRESULT hr = SignFile(m_docRev, Pdf().c_str());
        EXPECT_EQ(S_OK, hr);
        EXPECT_FALSE(FileExists(Pdf() + L".ini")) << "the job file is deleted after the call";
        return ReadFile(Pdf() + L".ini.captured");
    }

    ScratchFolder m_out;
    ScratchFolder m_temp;
    FakePlmSystem m_system;
    FakeObjectModel m_model;
    CLightDocumentRevObj m_docRev;
};

TEST_F(SignJob, TextAndPictureSignature)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"Approved", L"100,200,50,20"));
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12", L"300,400"));
    std::string image = "IMAGE=" + Picture("12sign.png");
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=2", "[SIGN1]", "CONTENT=Approved", "X=100", "Y=200", "WIDTH=50",
                  "HEIGHT=20", "[SIGN2]", image.c_str(), "X=300", "Y=400"}),
        SignAndCapture());
    // The signer got the PDF path and the job path, in this order.
    std::string call = ReadFile(Pdf() + L".signcall");
    EXPECT_EQ(win32host::ToUtf8(Pdf()) + "\n" + win32host::ToUtf8(Pdf()) + ".ini\n", call);
}

TEST_F(SignJob, OtherFormatsAreCountedButGetNoSection)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"One", L""));
    CSignInfo* pOther = TextSign(L"Three", L"1,2");
    pOther->m_nFormat = 3;
    m_docRev.m_lstSignInfo.AddTail(pOther);
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"Two", L""));
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=3", "[SIGN1]", "CONTENT=One", "[SIGN3]", "CONTENT=Two"}), SignAndCapture());
}

TEST_F(SignJob, TextLocationFieldCounts)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"A", L"100,200"));
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"B", L"100,200,50,20,0,12"));
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"C", L"100,200,50,20,Arial,12,255,0,0,1", L"Song,9"));
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"D", L"1,2,3,4,Arial,0,9,9,9"));
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=4",
                  "[SIGN1]", "CONTENT=A", "X=100", "Y=200",
                  "[SIGN2]", "CONTENT=B", "X=100", "Y=200", "WIDTH=50", "HEIGHT=20",
                  "[SIGN3]", "CONTENT=C", "X=100", "Y=200", "WIDTH=50", "HEIGHT=20", "FONT=Arial", "FontSize=12",
                  "COLOR_R=255", "COLOR_G=0", "COLOR_B=0", "Page=1",
                  "[SIGN4]", "CONTENT=D", "X=1", "Y=2", "WIDTH=3", "HEIGHT=4", "COLOR_R=9", "COLOR_G=9",
                  "COLOR_B=9"}),
        SignAndCapture());
}

TEST_F(SignJob, FontOfTheSignerNeedsExactlyFifteenFields)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"F15", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m"));
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"F14", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l"));
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"F16", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m,n"));
    // A placement's own font comes after the signer's and takes its place.
    m_docRev.m_lstSignInfo.AddTail(
        TextSign(L"Both", L"1,2,3,4,Arial,12", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m"));
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=4",
                  "[SIGN1]", "CONTENT=F15", "FONT=Song", "FontSize=14",
                  "[SIGN2]", "CONTENT=F14",
                  "[SIGN3]", "CONTENT=F16",
                  "[SIGN4]", "CONTENT=Both", "FONT=Arial", "FontSize=12", "X=1", "Y=2", "WIDTH=3", "HEIGHT=4"}),
        SignAndCapture());
}

TEST_F(SignJob, ValuesAreWrittenUnchanged)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"", L"100, 200,,50,20"));
    // Empty fields vanish; blanks stay.
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=1", "[SIGN1]", "CONTENT=", "X=100", "Y= 200", "WIDTH=50", "HEIGHT=20"}),
        SignAndCapture());
}

TEST_F(SignJob, PictureLocationNeedsTwoOrFourFields)
{
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12", L"1,2,3"));
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12", L"1,2,3,4,5"));
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12", L"1,2,3,4"));
    std::string image = "IMAGE=" + Picture("12sign.png");
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=3", "[SIGN3]", image.c_str(), "X=1", "Y=2", "WIDTH=3", "HEIGHT=4"}),
        SignAndCapture());
    // One picture file, fetched once and then reused.
    EXPECT_EQ(1u, m_model.vault.downloads.size());
}

TEST_F(SignJob, PictureIdIsTheLeadingNumber)
{
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12abc", L"1,2"));
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"abc", L"3,4"));
    std::string image12 = "IMAGE=" + Picture("12sign.png");
    std::string image0 = "IMAGE=" + Picture("0zero.png");
    EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=2", "[SIGN1]", image12.c_str(), "X=1", "Y=2", "[SIGN2]", image0.c_str(),
                  "X=3", "Y=4"}),
        SignAndCapture());
}

TEST_F(SignJob, PictureThatCannotBeExportedKeepsAnEmptyImage)
{
    struct Case {
        const char* cause;
        HRESULT creation;
        const wchar_t* storedName;
    };
    const Case cases[] = {
        {"StoredFile not registered", REGDB_E_CLASSNOTREG, L"sign.png"},
        {"stored name leaving the folder", S_OK, L"..\\..\\x.png"},
    };
    m_docRev.m_lstSignInfo.AddTail(PictureSign(L"12", L"1,2"));
    for (const Case& c : cases) {
        m_model.storedFileCreation = c.creation;
        m_model.vault.files[12] = {c.storedName, "png"};
        EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=1", "[SIGN1]", "IMAGE=", "X=1", "Y=2"}), SignAndCapture()) << c.cause;
        EXPECT_TRUE(m_model.vault.downloads.empty()) << c.cause;
    }
}

TEST_F(SignJob, CapitalExtensionIsSigned)
{
    WriteFile(m_out.Windows(L"B.PDF"), "%PDF");
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"A", L""));
    EXPECT_EQ(S_OK, SignFile(m_docRev, m_out.Windows(L"B.PDF").c_str()));
    EXPECT_TRUE(FileExists(m_out.Windows(L"B.PDF.ini.captured")));
}

TEST_F(SignJob, OnlyPdfFilesAreSigned)
{
    m_docRev.m_lstSignInfo.AddTail(TextSign(L"A", L""));
    for (const wchar_t* name : {L"B.pdfx", L"B", L"B.dwg", L"pdf"}) {
        WriteFile(m_out.Windows(name), "x");
        EXPECT_EQ(E_FAIL, SignFile(m_docRev, m_out.Windows(name).c_str())) << win32host::ToUtf8(name);
        EXPECT_FALSE(FileExists(m_out.Windows(name) + L".ini"));
    }
    EXPECT_EQ("A-01.pdf B B.dwg B.pdfx pdf", FolderText(m_out.Windows()));
}

TEST_F(SignJob, NothingToSignLoadsNothing)
{
    win32host::TraceRecorder trace;
    EXPECT_EQ(S_OK, SignFile(m_docRev, Pdf().c_str()));
    EXPECT_EQ(S_OK, SignFile(m_docRev, m_out.Windows(L"B.dwg").c_str()));
    EXPECT_TRUE(trace.OfKind("load_library").empty());
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
}

} // namespace
