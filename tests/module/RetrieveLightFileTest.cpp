// RetrieveLightFile: fetch, sign, watermark, and what the user and the error service are told.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include <win32host/Trace.h>

#include "ClientErrorService.h"
#include "FakeObjects.h"
#include "FakePlm.h"
#include "ScratchFolder.h"
#include "TraceFields.h"
#include "catalogue/LightFileObj.h"
#include "manager/RetrieveLightFile.h"
#include "signing/SignInfo.h"

using namespace moduletest;
using namespace viztest;

namespace {

class RetrieveLightFileTest : public testing::Test {
protected:
    RetrieveLightFileTest()
    {
        m_system.config.tempPath = m_temp.Windows();
        m_docRev.m_strClassName = L"Document";
        m_docRev.m_nRevID = 88;
        m_file.m_nObjID = 501;
        m_file.m_pDocRev = &m_docRev;
        SetName(L"A-01.pdf");
    }

    void SetName(const wchar_t* name)
    {
        m_file.m_strName = name;
        m_model.vault.files[501] = {name, "light-file"};
    }

    int Retrieve(const std::wstring& folder) { return RetrieveLightFile(&m_file, folder.c_str(), m_path); }

    std::vector<std::string> Messages() const { return TraceFields(m_trace, "messagebox", {"text", "icon"}); }

    // Locations of the reports shown, with their icon style.
    std::vector<std::string> Reports() const { return TraceFields(m_trace, "error_report", {"locations", "style"}); }

    ScratchFolder m_out;
    ScratchFolder m_temp;
    FakePlmSystem m_system;
    FakeObjectModel m_model;
    ClientErrorService m_errors;
    win32host::TraceRecorder m_trace;
    CLightDocumentRevObj m_docRev;
    CLightFileObj m_file;
    CString m_path = L"unchanged";
};

TEST_F(RetrieveLightFileTest, WritesIntoTheFolderUnderItsName)
{
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    EXPECT_EQ(m_out.Windows(L"A-01.pdf"), std::wstring(m_path));
    EXPECT_EQ("light-file", ReadFile(m_out.Windows(L"A-01.pdf")));
    ASSERT_EQ(1u, m_model.vault.rawCreated.size());
    EXPECT_EQ(L"LightFile", m_model.vault.rawCreated[0]);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Reports().empty());
}

TEST_F(RetrieveLightFileTest, EmptyFolderMeansTheTemporaryFolder)
{
    EXPECT_EQ(1, Retrieve(L""));
    EXPECT_EQ(m_temp.Windows(L"A-01.pdf"), std::wstring(m_path));
    EXPECT_TRUE(FileExists(m_temp.Windows(L"A-01.pdf")));
}

TEST_F(RetrieveLightFileTest, FolderEndingInBackslashGivesADoubledOneThatStillWorks)
{
    EXPECT_EQ(1, Retrieve(m_out.Windows() + L"\\"));
    EXPECT_EQ(m_out.Windows() + L"\\\\A-01.pdf", std::wstring(m_path));
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
}

// The switch, the file's type and the component decide; what goes wrong is reported.
TEST_F(RetrieveLightFileTest, NoWatermarkWithoutTheSwitchAPdfAndTheComponent)
{
    const struct {
        const char* what;
        HRESULT read; // of the switch
        LONG watermark;
        bool component;
        const wchar_t* name;
        int result;
        std::vector<std::string> reports;
    } cases[] = {
        {"switched off", S_OK, 0, true, L"A-01.pdf", 1, {}},
        {"a DWG file", S_OK, 1, true, L"A-01.dwg", 1, {}},
        {"no component", S_OK, 1, false, L"A-01.pdf", 0, {"DocumentSelectDlg:995 16"}},
        // The fake gives a non-zero value with the failure.
        {"unreadable switch", E_FAIL, 0, true, L"A-01.pdf", 1, {"DocumentSelectDlg:980 48"}},
    };
    for (const auto& c : cases) {
        std::optional<FakeWatermarkComponent> component;
        if (c.component)
            component.emplace();
        m_system.config.globalParam = c.read;
        m_system.config.watermark = c.watermark;
        m_system.config.paramReads.clear();
        m_trace.Clear();
        SetName(c.name);
        EXPECT_EQ(c.result, Retrieve(m_out.Windows())) << c.what;
        EXPECT_EQ(m_out.Windows(c.name), std::wstring(m_path)) << c.what;
        EXPECT_EQ(0, component ? component->Creations() : 0) << c.what;
        EXPECT_EQ(std::vector<std::wstring>{L"NEEDWATER_DOWNLOADPDF"}, m_system.config.paramReads) << c.what;
        EXPECT_EQ(c.reports, Reports()) << c.what;
    }
}

TEST_F(RetrieveLightFileTest, PdfIsWatermarkedWhateverItsCase)
{
    FakeWatermarkComponent watermark;
    m_system.config.watermark = 1;
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    SetName(L"B.PDF");
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    ASSERT_EQ(2u, watermark.calls.size());
    EXPECT_EQ(m_out.Windows(L"A-01.pdf"), watermark.calls[0].path);
    EXPECT_EQ(10, watermark.calls[0].style);
    EXPECT_EQ(m_out.Windows(L"B.PDF"), watermark.calls[1].path);
}

TEST_F(RetrieveLightFileTest, FailingWatermarkLeavesThePathAndReportsAt1002)
{
    FakeWatermarkComponent watermark(E_ACCESSDENIED);
    m_system.config.watermark = 1;
    EXPECT_EQ(0, Retrieve(m_out.Windows()));
    EXPECT_EQ(m_out.Windows(L"A-01.pdf"), std::wstring(m_path));
    EXPECT_TRUE(FileExists(m_out.Windows(L"A-01.pdf")));
    EXPECT_EQ(std::vector<std::string>{"DocumentSelectDlg:1002 16 80070005"},
        TraceFields(m_trace, "error_report", {"locations", "style", "codes"}));
}

TEST_F(RetrieveLightFileTest, SystemObjectFailureIsReportedAt975UnlessSilent)
{
    m_system.config.creation = E_FAIL;
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    EXPECT_EQ((std::vector<std::string>{"DocumentSelectDlg:975 48", "DocumentSelectDlg:980 48"}), Reports());

    m_trace.Clear();
    m_system.config.creation = static_cast<HRESULT>(0x83070101);
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    for (const std::string& report : Reports())
        EXPECT_EQ(std::string::npos, report.find(":975")) << "0x83070101 is never reported";
}

// A failed download, or an object without file content, is a failed fetch: named with its code.
TEST_F(RetrieveLightFileTest, FailedFetchShowsNameAndCode)
{
    for (const bool content : {true, false}) {
        m_model.vault.files[501].download = content ? static_cast<HRESULT>(0x8007000E) : S_OK;
        m_model.offerFileContent = content;
        m_trace.Clear();
        EXPECT_EQ(0, Retrieve(m_out.Windows()));
        EXPECT_EQ(CString(L"unchanged"), m_path);
        EXPECT_EQ(std::vector<std::string>{content ? "文件(A-01.pdf)获取失败(8007000E)! error"
                                                   : "文件(A-01.pdf)获取失败(80004002)! error"},
            Messages());
        EXPECT_TRUE(m_system.config.paramReads.empty());
    }
}

TEST_F(RetrieveLightFileTest, SuccessWithoutAFileIsSilent)
{
    m_model.vault.files[501].writeFile = false;
    EXPECT_EQ(0, Retrieve(m_out.Windows()));
    EXPECT_EQ(CString(L"unchanged"), m_path);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(m_system.db.sql.empty()) << "no signatures are read for a missing file";
}

TEST_F(RetrieveLightFileTest, NamesThatLeaveTheFolderAreRefused)
{
    ScratchFolder parent;
    std::wstring folder = parent.Windows(L"out");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"..\\x.pdf", L"../x.pdf", L"sub\\x.pdf", L"..", L"."}) {
        SetName(name);
        m_trace.Clear();
        EXPECT_EQ(0, Retrieve(folder)) << win32host::ToUtf8(name);
        ASSERT_EQ(1u, Messages().size());
        EXPECT_EQ("文件(" + win32host::ToUtf8(name) + ")获取失败(80070057)! error", Messages()[0]);
    }
    EXPECT_TRUE(m_model.vault.downloads.empty());
    EXPECT_EQ("out", FolderText(parent.Windows()));
    EXPECT_EQ("", FolderText(folder));
    EXPECT_EQ(CString(L"unchanged"), m_path);
}

TEST_F(RetrieveLightFileTest, SignaturesAreReadOncePerRevisionAndPutOnPdfs)
{
    m_system.db.rowsFor = [](const std::wstring& sql) {
        if (sql.find(L"T_DocumentSignature") != std::wstring::npos)
            return FakeRows{{{L"roleB_id", L"901"}}};
        return FakeRows{{{L"Format", L"1"}, {L"SignContent", L"ok"}, {L"NameLocation", L"1,2"}}};
    };
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    CLightFileObj second;
    second.m_nObjID = 502;
    second.m_strName = L"A-01.dwg";
    second.m_pDocRev = &m_docRev;
    m_model.vault.files[502] = {L"A-01.dwg", "dwg"};
    CString strPath;
    EXPECT_EQ(1, RetrieveLightFile(&second, m_out.Windows().c_str(), strPath));
    EXPECT_EQ(2u, m_system.db.sql.size());
    EXPECT_EQ(1, m_docRev.m_lstSignInfo.GetCount());
    // The PDF went to the signer (this program's signer keeps the job), the DWG did not.
    EXPECT_TRUE(FileExists(m_out.Windows(L"A-01.pdf.ini.captured")));
    EXPECT_FALSE(FileExists(m_out.Windows(L"A-01.dwg.ini.captured")));
}

} // namespace
