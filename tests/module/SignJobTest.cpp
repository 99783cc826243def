// The signing job file handed to SignPdf.dll, compared whole as the signer received it, and the
// cases in which SignFile signs nothing.
#include <gtest/gtest.h>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"
#include "signing/SignFile.h"

using namespace viztest;

namespace {

// One signature: a text (format 1), a picture (2, `value` its file id, "{id}" the stored picture's)
// or another format.
struct Sign {
    int format;
    const wchar_t* value;
    const wchar_t* location;
    const wchar_t* font = L"";
};

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void AddSigns(CLightDocumentRevObj& docRev, const std::vector<Sign>& signs, LONG picture)
{
    for (const Sign& sign : signs) {
        CSignInfo* pSign = new CSignInfo;
        pSign->m_nFormat = sign.format;
        std::string value = winenv::ToUtf8(sign.value);
        Replace(value, "{id}", std::to_string(picture));
        (sign.format == 2 ? pSign->m_strPictureFileID : pSign->m_strSignContent) = winenv::FromUtf8(value).c_str();
        pSign->m_strNameLocation = sign.location;
        pSign->m_strFont = sign.font;
        docRev.m_lstSignInfo.AddTail(pSign);
    }
}

// Lines joined with CRLF, as the profile functions write them.
std::string Lines(const std::vector<const char*>& lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

class SignJob : public testing::Test {
protected:
    void SetUp() override
    {
        m_picture = m_client.Fixture().AddStoredFile(L"sign.png", "png");
        ASSERT_EQ(S_OK, m_client.Open());
        WriteFile(Pdf(), "%PDF-1.4");
        m_trace.Clear();
    }

    std::wstring Pdf() const { return m_out.Windows(L"A-01.pdf"); }

    // Signs the PDF and gives the job as the signer received it.
    std::string SignAndCapture(CLightDocumentRevObj& docRev)
    {
        HRESULT hr = SignFile(docRev, Pdf().c_str());
        EXPECT_EQ(S_OK, hr);
        EXPECT_FALSE(FileExists(Pdf() + L".ini")) << "the job file is deleted after the call";
        return ReadFile(Pdf() + L".ini.captured");
    }

    ClientFolder m_client;
    ScratchFolder m_out;
    winenv::TraceRecorder m_trace;
    CLightDocumentRevObj m_docRev;
    LONG m_picture = 0;
};

TEST_F(SignJob, JobOfEachSetOfSignatures)
{
    const struct {
        const char* what;
        std::vector<Sign> signs;
        std::vector<const char*> job; // {sig} stands for the signature pictures' folder
    } cases[] = {
        {"text and picture", {{1, L"Approved", L"100,200,50,20"}, {2, L"{id}", L"300,400"}},
            {"[PDFSIGN]", "NUMBER=2", "[SIGN1]", "CONTENT=Approved", "X=100", "Y=200", "WIDTH=50", "HEIGHT=20",
                "[SIGN2]", "IMAGE={sig}{id}sign.png", "X=300", "Y=400"}},
        {"other formats are counted but get no section", {{1, L"One", L""}, {3, L"Three", L"1,2"}, {1, L"Two", L""}},
            {"[PDFSIGN]", "NUMBER=3", "[SIGN1]", "CONTENT=One", "[SIGN3]", "CONTENT=Two"}},
        {"text location field counts",
            {{1, L"A", L"100,200"}, {1, L"B", L"100,200,50,20,0,12"},
                {1, L"C", L"100,200,50,20,Arial,12,255,0,0,1", L"Song,9"}, {1, L"D", L"1,2,3,4,Arial,0,9,9,9"}},
            {"[PDFSIGN]", "NUMBER=4", "[SIGN1]", "CONTENT=A", "X=100", "Y=200", "[SIGN2]", "CONTENT=B", "X=100",
                "Y=200", "WIDTH=50", "HEIGHT=20", "[SIGN3]", "CONTENT=C", "X=100", "Y=200", "WIDTH=50", "HEIGHT=20",
                "FONT=Arial", "FontSize=12", "COLOR_R=255", "COLOR_G=0", "COLOR_B=0", "Page=1", "[SIGN4]",
                "CONTENT=D", "X=1", "Y=2", "WIDTH=3", "HEIGHT=4", "COLOR_R=9", "COLOR_G=9", "COLOR_B=9"}},
        // A placement's own font comes after the signer's and takes its place.
        {"the signer's font needs exactly fifteen fields",
            {{1, L"F15", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m"}, {1, L"F14", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l"},
                {1, L"F16", L"", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m,n"},
                {1, L"Both", L"1,2,3,4,Arial,12", L"Song,14,a,b,c,d,e,f,g,h,i,j,k,l,m"}},
            {"[PDFSIGN]", "NUMBER=4", "[SIGN1]", "CONTENT=F15", "FONT=Song", "FontSize=14", "[SIGN2]", "CONTENT=F14",
                "[SIGN3]", "CONTENT=F16", "[SIGN4]", "CONTENT=Both", "FONT=Arial", "FontSize=12", "X=1", "Y=2",
                "WIDTH=3", "HEIGHT=4"}},
        {"empty fields vanish, blanks stay", {{1, L"", L",100, 200,,50,20,"}},
            {"[PDFSIGN]", "NUMBER=1", "[SIGN1]", "CONTENT=", "X=100", "Y= 200", "WIDTH=50", "HEIGHT=20"}},
        {"a picture location needs two or four fields",
            {{2, L"{id}", L"1,2,3"}, {2, L"{id}", L"1,2,3,4,5"}, {2, L"{id}", L"1,2,3,4"}},
            {"[PDFSIGN]", "NUMBER=3", "[SIGN3]", "IMAGE={sig}{id}sign.png", "X=1", "Y=2", "WIDTH=3", "HEIGHT=4"}},
        // No stored file 0: its picture's path, a bitmap's, is written all the same.
        {"the picture id is the leading number", {{2, L"{id}abc", L"1,2"}, {2, L"abc", L"3,4"}},
            {"[PDFSIGN]", "NUMBER=2", "[SIGN1]", "IMAGE={sig}{id}sign.png", "X=1", "Y=2", "[SIGN2]",
                "IMAGE={sig}0picture.bmp", "X=3", "Y=4"}},
    };
    const std::string folder = winenv::ToUtf8(m_client.Client().GetTempPath() + L"\\signature\\");
    std::string calls;
    for (const auto& c : cases) {
        CLightDocumentRevObj docRev;
        AddSigns(docRev, c.signs, m_picture);
        std::string job = Lines(c.job);
        Replace(job, "{sig}", folder);
        Replace(job, "{id}", std::to_string(m_picture));
        EXPECT_EQ(job, SignAndCapture(docRev)) << c.what;
        calls += winenv::ToUtf8(Pdf()) + "\n" + winenv::ToUtf8(Pdf()) + ".ini\n";
    }
    // The signer got the PDF path and the job path, in this order, once a job.
    EXPECT_EQ(calls, ReadFile(Pdf() + L".signcall"));
}

TEST_F(SignJob, PictureThatCannotBeExportedKeepsAnEmptyImage)
{
    const LONG outside = m_client.Fixture().AddStoredFile(L"..\\..\\x.png", "png");
    const struct {
        const char* cause;
        HRESULT creation;
        LONG picture;
    } cases[] = {
        {"StoredFile not registered", REGDB_E_CLASSNOTREG, m_picture},
        {"stored name leaving the folder", S_OK, outside},
    };
    for (const auto& c : cases) {
        std::unique_ptr<ClassRegistration> storedFile;
        if (FAILED(c.creation))
            storedFile = m_client.RegisterInFront(CLSID_StoredFile, [&c](REFIID, void**) { return c.creation; });
        CLightDocumentRevObj docRev;
        AddSigns(docRev, {{2, L"{id}", L"1,2"}}, c.picture);
        EXPECT_EQ(Lines({"[PDFSIGN]", "NUMBER=1", "[SIGN1]", "IMAGE=", "X=1", "Y=2"}), SignAndCapture(docRev))
            << c.cause;
        EXPECT_TRUE(m_trace.OfKind("file_written").empty()) << c.cause;
    }
}

// A ".pdf" in any case is signed; nothing else is, and gets no job file.
TEST_F(SignJob, OnlyPdfFilesAreSigned)
{
    AddSigns(m_docRev, {{1, L"A", L""}}, m_picture);
    const struct {
        const wchar_t* name;
        HRESULT result;
    } cases[] = {{L"B.PDF", S_OK}, {L"B.pdfx", E_FAIL}, {L"B", E_FAIL}, {L"B.dwg", E_FAIL}, {L"pdf", E_FAIL}};
    for (const auto& c : cases) {
        WriteFile(m_out.Windows(c.name), "x");
        EXPECT_EQ(c.result, SignFile(m_docRev, m_out.Windows(c.name).c_str())) << winenv::ToUtf8(c.name);
    }
    EXPECT_EQ("A-01.pdf B B.PDF B.PDF.ini.captured B.PDF.signcall B.dwg B.pdfx pdf", FolderText(m_out.Windows()));
}

TEST_F(SignJob, NothingToSignLoadsNothing)
{
    EXPECT_EQ(S_OK, SignFile(m_docRev, Pdf().c_str()));
    EXPECT_EQ(S_OK, SignFile(m_docRev, m_out.Windows(L"B.dwg").c_str()));
    EXPECT_TRUE(m_trace.OfKind("load_library").empty());
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
}

} // namespace
