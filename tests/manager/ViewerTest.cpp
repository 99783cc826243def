// Viewing a light file: the double click of the manager's tree and the viewer dialog.
#include "ManagerTestBase.h"

#include <filesystem>

#include <atlhost.h>
#include <ocidl.h>
#include <shlwapi.h>

#include "viewer/ViewFileDlg.h"

namespace managertest {
namespace {

const int kViewerControl = 27008;

// The viewer control fills the viewer's client area.
void ExpectControlFillsClientArea(HWND viewer)
{
    RECT client = {};
    GetClientRect(viewer, &client);
    const RECT control = ControlRect(viewer, kViewerControl);
    EXPECT_TRUE(EqualRect(&client, &control)) << "client " << client.right << " x " << client.bottom << ", control ("
                                              << control.left << ", " << control.top << ", " << control.right << ", "
                                              << control.bottom << ")";
}

class ViewerTest : public ManagerTest {
protected:
    void SetUp() override
    {
        ManagerTest::SetUp();
        auto& f = Fixture();
        m_top = f.AddPart(L"Top");
        f.AddPartDocument(m_top, L"Document", Document(L"Document", {{L"good.pdf", L"pdf"}, {L"bad.dwg", L"dwg"}}));
    }

    std::vector<std::string> ViewerCalls() const { return EventFields("viewer", {"method", "path"}); }

    LONG m_top = 0;
};

// Double clicks on a file, on a file that cannot be fetched (a folder of its name stands in the
// temporary folder) and on a structure node: one viewer, maximised, and the fetch message. The
// viewer map handed over first is the transcripts'.
TEST_F(ViewerTest, DoubleClickShowsAFileOnlyWhenItCanBeFetched)
{
    user.onViewer = [&](HWND viewer) {
        EXPECT_TRUE(IsZoomed(viewer));
        ExpectControlFillsClientArea(viewer);
    };
    user.onManager = [&](HWND dialog) {
        std::filesystem::create_directories(viztest::PosixOf(TempFolder() + L"\\bad.dwg"));
        HWND tree = ManagerTree(dialog);
        ExpandAll(tree);
        for (const wchar_t* label : {L"good.pdf", L"bad.dwg", L"Top"})
            ASSERT_TRUE(winenv::DoubleClickTreeItemLabel(tree, FindItem(tree, label))) << winenv::ToUtf8(label);
    };
    RunOn(L"Part", m_top);

    EXPECT_EQ(1, user.viewerDialogs);
    const std::vector<std::string> calls = ViewerCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("OpenFile " + winenv::ToUtf8(TempFolder() + L"\\good.pdf"), calls[1]);
    EXPECT_EQ(1u, Events("file_written").size());
    ASSERT_EQ(1u, user.messages.size());
    const std::wstring& text = user.messages[0].text;
    EXPECT_EQ(0u, text.find(L"文件(bad.dwg)获取失败(")) << winenv::ToUtf8(text);
    EXPECT_EQ(L")!", text.substr(text.size() - 2));
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), user.messages[0].type & MB_ICONMASK);
}

TEST_F(ViewerTest, ViewerControlFollowsTheDialogsSize)
{
    ASSERT_SUCCEEDED(Open());
    user.onViewer = [&](HWND viewer) {
        ShowWindow(viewer, SW_RESTORE);
        for (const SIZE& size : {SIZE{700, 500}, SIZE{320, 240}, SIZE{1100, 800}}) {
            ASSERT_TRUE(winenv::ResizeWindow(viewer, size.cx, size.cy));
            ExpectControlFillsClientArea(viewer);
        }
    };
    CViewFileDlg dlg;
    dlg.m_strFilePath = L"C:\\drawings\\plan.dwg";
    AsUser([&] { return dlg.DoModal(); });

    EXPECT_EQ(1, user.viewerDialogs) << "the sizes were tried";
}

// The state the template's initialisation data gives the control: its stream after the
// entry's header (id, message, size) and the license key's length.
std::vector<BYTE> TemplateControlState()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = FindResourceW(hInst, MAKEINTRESOURCEW(IDD_VIEWFILE), MAKEINTRESOURCEW(240));
    const BYTE* p = hResource ? static_cast<const BYTE*>(LockResource(LoadResource(hInst, hResource))) : nullptr;
    if (!p)
        return {};
    DWORD cb = 0;
    memcpy(&cb, p + 4, sizeof(cb));
    return std::vector<BYTE>(p + 12, p + 8 + cb);
}

TEST_F(ViewerTest, AnEmptyPathStillReachesTheControlWhichHasTheTemplatesState)
{
    ASSERT_SUCCEEDED(Open());
    std::vector<BYTE> saved;
    user.onViewer = [&](HWND viewer) {
        IUnknown* pControl = nullptr;
        IPersistStreamInit* pPersist = nullptr;
        ASSERT_EQ(S_OK, AtlAxGetControl(GetDlgItem(viewer, kViewerControl), &pControl));
        ASSERT_EQ(S_OK, pControl->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist)));
        IStream* pStream = SHCreateMemStream(nullptr, 0);
        EXPECT_EQ(S_OK, pPersist->Save(pStream, TRUE));
        STATSTG stat = {};
        pStream->Stat(&stat, STATFLAG_NONAME);
        saved.resize(static_cast<size_t>(stat.cbSize.QuadPart));
        LARGE_INTEGER start = {};
        pStream->Seek(start, STREAM_SEEK_SET, nullptr);
        pStream->Read(saved.data(), static_cast<ULONG>(saved.size()), nullptr);
        pStream->Release();
        pPersist->Release();
        pControl->Release();
    };
    CViewFileDlg dlg;
    AsUser([&] { return dlg.DoModal(); });

    const std::vector<std::string> calls = ViewerCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("OpenFile ", calls[1]);
    const std::vector<BYTE> expected = TemplateControlState();
    EXPECT_EQ(16u, expected.size());
    EXPECT_EQ(expected, saved) << "the control saves what the template's data gave it";
}

} // namespace
} // namespace managertest
