// The Print and Download buttons of the manager, on the real client.
#include "ManagerTestBase.h"

#include <cstdio>
#include <filesystem>

namespace managertest {
namespace {

class PrintDownloadTest : public ManagerTest {
protected:
    void SetUp() override
    {
        ManagerTest::SetUp();
        auto& f = Fixture();
        f.SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
        m_top = f.AddPart(L"Top");
        const LONG sub = f.AddPart(L"Sub");
        f.AddSubPart(m_top, sub);
        f.AddPartDocument(sub, L"Document", Document(L"Document", {{L"a.pdf", L"pdf"}, {L"b.pdf", L"pdf"}}));
        f.AddPartDocument(m_top, L"Drawing", Document(L"Drawing", {{L"c.dwg", L"dwg"}}));
    }

    // Runs the manager; the user checks the whole tree when asked to, then clicks the buttons.
    void Run(bool checkAll, std::vector<int> buttons, CDocumentSelectDlg* pDlg = nullptr)
    {
        user.onManager = [=](HWND dialog) {
            HWND tree = ManagerTree(dialog);
            if (checkAll) {
                ASSERT_TRUE(winenv::ClickTreeItemCheckBox(tree, TreeView_GetRoot(tree)));
            }
            for (int button : buttons)
                ASSERT_TRUE(winenv::ClickControl(dialog, button));
        };
        RunOn(L"Part", m_top, pDlg);
    }

    std::vector<std::string> WaitEvents() const { return EventFields("wait", {"event", "caption", "position", "total"}); }

    static std::vector<std::wstring> Paths(const CStringArray& files)
    {
        std::vector<std::wstring> paths;
        for (INT_PTR i = 0; i < files.GetSize(); ++i)
            paths.push_back(static_cast<LPCWSTR>(files.GetAt(i)));
        return paths;
    }

    LONG m_top = 0;
};

// Twice: the second download starts with an empty list. The folder, the shell's open and the
// box's text, caption and icon are the transcripts'.
TEST_F(PrintDownloadTest, DownloadPutsEveryCheckedFileIntoTheFolderThenOpensItAndConfirms)
{
    const std::wstring first = Folder().MakeFolder("first");
    const std::wstring target = Folder().MakeFolder("out");
    user.folders = {first, target};
    CDocumentSelectDlg dlg;
    Run(true, {kDownloadButton, kDownloadButton}, &dlg);

    EXPECT_EQ("a.pdf b.pdf c.dwg", viztest::FolderText(target));
    const std::vector<std::wstring> expectedPaths = {target + L"\\a.pdf", target + L"\\b.pdf", target + L"\\c.dwg"};
    EXPECT_EQ(expectedPaths, Paths(dlg.m_arrFiles));
    EXPECT_EQ(2u, Events("shell_execute").size());
    EXPECT_EQ(std::vector<std::wstring>(2, L"下载成功!"), user.MessageTexts());

    const std::vector<std::string> expectedWait = {"begin 正在导出... 0 3", "step 正在导出... 1 3",
        "step 正在导出... 2 3", "step 正在导出... 3 3", "end 正在导出... 3 3"};
    const std::vector<std::string> waits = WaitEvents();
    ASSERT_EQ(10u, waits.size());
    EXPECT_EQ(expectedWait, std::vector<std::string>(waits.begin() + 5, waits.end()));
}

TEST_F(PrintDownloadTest, WithNothingCheckedDownloadStillAsksAndConfirmsAndPrintGetsAnEmptyArray)
{
    const std::wstring target = Folder().MakeFolder("empty");
    user.folders.push_back(target);
    Run(false, {kDownloadButton, kPrintButton});

    EXPECT_EQ(1u, user.pickerTitles.size());
    EXPECT_EQ("", viztest::FolderText(target));
    EXPECT_EQ(1u, Events("shell_execute").size());
    EXPECT_EQ(std::vector<std::wstring>{L"下载成功!"}, user.MessageTexts());
    const std::vector<std::string> expectedWait = {
        "begin 正在导出... 0 0", "end 正在导出... 0 0", "begin 正在准备打印... 0 0", "end 正在准备打印... 0 0"};
    EXPECT_EQ(expectedWait, WaitEvents());
    const auto calls = Events("print_capture");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("0", calls[0].Get("count"));
    EXPECT_TRUE(Events("file_written").empty());
}

TEST_F(PrintDownloadTest, CancelledFolderChoiceEndsTheDownloadSilently)
{
    Run(true, {kDownloadButton});

    EXPECT_EQ(1u, user.pickerTitles.size());
    EXPECT_TRUE(user.messages.empty());
    EXPECT_TRUE(WaitEvents().empty());
    EXPECT_TRUE(Events("shell_execute").empty());
    EXPECT_TRUE(Events("file_written").empty());
}

TEST_F(PrintDownloadTest, OneFailingFileIsReportedAndTheOthersStillArrive)
{
    const std::wstring target = Folder().MakeFolder("partial");
    // A folder named like the file keeps the client from writing it.
    std::filesystem::create_directories(viztest::PosixOf(target + L"\\b.pdf"));
    user.folders.push_back(target);
    CDocumentSelectDlg dlg;
    Run(true, {kDownloadButton}, &dlg);

    const std::vector<std::wstring> expectedPaths = {target + L"\\a.pdf", target + L"\\c.dwg"};
    EXPECT_EQ(expectedPaths, Paths(dlg.m_arrFiles));
    EXPECT_TRUE(viztest::FileExists(target + L"\\a.pdf"));
    EXPECT_TRUE(viztest::FileExists(target + L"\\c.dwg"));
    ASSERT_EQ(2u, user.messages.size());
    EXPECT_EQ(0u, user.messages[0].text.find(L"文件(b.pdf)获取失败(")) << winenv::ToUtf8(user.messages[0].text);
    EXPECT_EQ(L"下载成功!", user.messages[1].text);
    EXPECT_EQ(1u, Events("shell_execute").size());
}

// The temporary files themselves are the transcripts'.
TEST_F(PrintDownloadTest, PrintHandsTheDialogsArrayOfTemporaryFilesToThePlugin)
{
    CDocumentSelectDlg dlg;
    Run(true, {kPrintButton}, &dlg);

    const auto calls = Events("print_capture");
    ASSERT_EQ(1u, calls.size());
    char address[32];
    std::snprintf(address, sizeof(address), "%p", static_cast<void*>(&dlg.m_arrFiles));
    EXPECT_EQ(address, calls[0].Get("address"));
    EXPECT_EQ("3", calls[0].Get("count"));

    const std::vector<std::string> expectedWait = {"begin 正在准备打印... 0 3", "step 正在准备打印... 1 3",
        "step 正在准备打印... 2 3", "step 正在准备打印... 3 3", "end 正在准备打印... 3 3"};
    EXPECT_EQ(expectedWait, WaitEvents());
}

// The system object fails only once the tree is filled, when the user clicks Print: the failure is
// reported (or not, for the silent status) and nothing is fetched, waited on or printed.
struct PrintFailure {
    const char* name;
    HRESULT create, param;
    const char* location; // of the report, none when empty
};

class PrintSystemFailureTest : public PrintDownloadTest, public ::testing::WithParamInterface<PrintFailure> {
protected:
    SystemFaults m_faults;
};

TEST_P(PrintSystemFailureTest, EndsThePrintBeforeAnyFetch)
{
    m_pFaults = &m_faults;
    user.onManager = [&](HWND dialog) {
        HWND tree = ManagerTree(dialog);
        ASSERT_EQ(L"Top{Sub{a.pdf,b.pdf},c.dwg}", DescribeTree(tree));
        ASSERT_TRUE(winenv::ClickTreeItemCheckBox(tree, TreeView_GetRoot(tree)));
        m_faults.create = GetParam().create;
        m_faults.globalParam = GetParam().param;
        trace.Clear();
        ASSERT_TRUE(winenv::ClickControl(dialog, kPrintButton));
    };
    RunOn(L"Part", m_top);

    const auto reports = Events("error_report");
    ASSERT_EQ(*GetParam().location ? 1u : 0u, reports.size());
    if (*GetParam().location) {
        EXPECT_EQ(GetParam().location, reports[0].Get("locations"));
        EXPECT_EQ("48", reports[0].Get("style"));
    }
    EXPECT_TRUE(Events("file_written").empty());
    EXPECT_TRUE(WaitEvents().empty());
    EXPECT_TRUE(Events("print_capture").empty());
    EXPECT_TRUE(Events("sql").empty());
}

INSTANTIATE_TEST_SUITE_P(Failures, PrintSystemFailureTest,
    ::testing::Values(PrintFailure{"UnavailableSystemObject", E_ACCESSDENIED, S_OK, "DocumentSelectDlg:1136"},
        PrintFailure{"UnreadableParameter", S_OK, E_UNEXPECTED, "DocumentSelectDlg:1142"},
        PrintFailure{"SilentStatus", static_cast<HRESULT>(0x83070101), S_OK, ""}),
    [](const ::testing::TestParamInfo<PrintFailure>& info) { return std::string(info.param.name); });

} // namespace
} // namespace managertest
