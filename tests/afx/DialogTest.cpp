// CDialog on the window system: a modal dialog from a template whose controls reach the
// object's message map, a tree control bound by DDX_Control, and the end of the dialog.
#include <afxcmn.h>
#include <afxwin.h>

#include <winenv/Trace.h>

#include <gtest/gtest.h>

#include "DialogTemplateBuilder.h"
#include "ScriptedUser.h"
#include "TreeReader.h"

using viztest::ScriptedUser;

namespace {

const int IDC_TREE = 27000;
const int IDC_PRINT = 27003;
const int IDC_PDF = 27006;

DialogTemplateBuilder TreeDialogTemplate()
{
    DialogTemplateBuilder tmpl(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 300, 200, L"轻量化文件管理");
    tmpl.Control(IDC_PDF, 0x0080, L"PDF", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 7, 40, 10)
        .Control(IDC_TREE, WC_TREEVIEWW, L"",
            WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES, 7,
            20, 286, 150)
        .Control(IDC_PRINT, 0x0080, L"打印", WS_VISIBLE | WS_TABSTOP, 180, 178, 50, 14)
        .Control(IDCANCEL, 0x0080, L"取消", WS_VISIBLE | WS_TABSTOP, 240, 178, 50, 14);
    return tmpl;
}

class CTreeTestDlg : public CDialog {
public:
    CTreeCtrl m_tree;
    CWnd m_btnPdf;
    int m_nPrintClicks = 0;
    UINT m_nPdfCheck = 0xFFFF;
    bool m_bTreeAttachedAtDestroy = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TREE, m_tree);
        DDX_Control(pDX, IDC_PDF, m_btnPdf);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        HTREEITEM hRoot = m_tree.InsertItem(TVIF_TEXT, L"根", 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
        m_tree.InsertItem(TVIF_TEXT, L"a.pdf", 0, 0, 0, 0, 0, hRoot, TVI_LAST);
        return TRUE;
    }

    afx_msg void OnBnClickedPrint() { ++m_nPrintClicks; }
    afx_msg void OnBnClickedPdf() { m_nPdfCheck = IsDlgButtonChecked(IDC_PDF); }
    afx_msg void OnNMReturnTree(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = 42; }
    afx_msg void OnDestroy()
    {
        m_bTreeAttachedAtDestroy = m_tree.m_hWnd != NULL;
        CDialog::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeTestDlg, CDialog)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_PRINT, &CTreeTestDlg::OnBnClickedPrint)
    ON_BN_CLICKED(IDC_PDF, &CTreeTestDlg::OnBnClickedPdf)
    ON_NOTIFY(NM_RETURN, IDC_TREE, &CTreeTestDlg::OnNMReturnTree)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    DialogTemplateBuilder m_template = TreeDialogTemplate();
    CTreeTestDlg m_dlg;

    INT_PTR RunWith(std::function<void(HWND)> script)
    {
        ScriptedUser user(std::move(script));
        winenv::ScopedDesktopUser scoped(user);
        m_dlg.InitModalIndirect(m_template.Get());
        return m_dlg.DoModal();
    }
};

// The tree's content, clicks and sizes reach the module's dialog through the same maps; its own
// tests follow them. Here what those do not show.
TEST_F(DialogTest, ControlsAreBoundBeforeTheUserActsAndNotifyResultsAreTheHandlers)
{
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        EXPECT_EQ(&m_dlg, CWnd::FromHandlePermanent(hDlg));
        EXPECT_EQ(::GetDlgItem(hDlg, IDC_TREE), m_dlg.m_tree.m_hWnd);
        EXPECT_EQ(&m_dlg.m_tree, CWnd::FromHandle(::GetDlgItem(hDlg, IDC_TREE)));
        EXPECT_EQ(L"根{a.pdf}", viztest::DescribeTree(m_dlg.m_tree.m_hWnd));
        ASSERT_TRUE(winenv::ClickControl(hDlg, IDC_PDF));
        EXPECT_EQ(static_cast<UINT>(BST_CHECKED), m_dlg.m_nPdfCheck) << "the check box is toggled before its handler runs";

        NMHDR nmhdr = {};
        nmhdr.hwndFrom = m_dlg.m_tree.m_hWnd;
        nmhdr.idFrom = IDC_TREE;
        nmhdr.code = NM_RETURN;
        EXPECT_EQ(42, ::SendMessageW(hDlg, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&nmhdr)));
        nmhdr.code = NM_RDBLCLK; // no entry: the dialog's default answer
        EXPECT_EQ(0, ::SendMessageW(hDlg, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&nmhdr)));

        CTreeCtrl& tree = m_dlg.m_tree;
        EXPECT_TRUE(tree.ModifyStyle(TVS_CHECKBOXES, 0));
        EXPECT_FALSE(tree.ModifyStyle(TVS_CHECKBOXES, 0)); // nothing to change
        EXPECT_TRUE(tree.ModifyStyle(0, TVS_CHECKBOXES));
        EXPECT_EQ(static_cast<LONG>(TVS_CHECKBOXES | WS_BORDER), ::GetWindowLongW(tree.m_hWnd, GWL_STYLE) & (TVS_CHECKBOXES | WS_BORDER));
        HICON hIcon = LoadIconW(NULL, IDI_APPLICATION);
        m_dlg.SetIcon(hIcon, FALSE);
        EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), ::SendMessageW(hDlg, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(0, ::SendMessageW(hDlg, WM_GETICON, ICON_BIG, 0));
    });
    EXPECT_EQ(IDCANCEL, nResult);
}

TEST_F(DialogTest, EndingTheDialogDetachesEveryObjectAndTheCloseBoxCancels)
{
    HWND hDlgSeen = NULL;
    HWND hTreeSeen = NULL;
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        hDlgSeen = hDlg;
        hTreeSeen = m_dlg.m_tree.m_hWnd;
        ASSERT_TRUE(winenv::ClickControl(hDlg, IDCANCEL));
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_TRUE(m_dlg.m_bTreeAttachedAtDestroy);
    EXPECT_EQ(nullptr, m_dlg.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_tree.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_btnPdf.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlgSeen));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hTreeSeen));

    EXPECT_EQ(IDCANCEL, RunWith([&](HWND hDlg) { ASSERT_TRUE(winenv::CloseWindowByUser(hDlg)); }));
}

TEST_F(DialogTest, TheDialogCanRunAgainWithTheSameObject)
{
    RunWith([](HWND hDlg) { winenv::PressKey(VK_ESCAPE); });
    int nClicks = m_dlg.m_nPrintClicks;
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        ASSERT_TRUE(winenv::ClickControl(hDlg, IDC_PRINT));
        EXPECT_EQ(L"根{a.pdf}", viztest::DescribeTree(m_dlg.m_tree.m_hWnd));
    });
    EXPECT_EQ(nClicks + 1, m_dlg.m_nPrintClicks);
    EXPECT_EQ(IDCANCEL, nResult);
}

TEST(DialogResources, MissingTemplateMakesDoModalFail)
{
    winenv::TraceRecorder trace;
    CDialog dlg(64999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(trace.OfKind("dialog").empty());
}

// A control used before it has its window stops the program at the failed check, as a debug
// build of the framework does.
TEST(ControlWithoutWindow, AssertsAndReportsTheFileAndLine)
{
    CTreeCtrl tree;
    EXPECT_DEATH(tree.GetRootItem(), "Debug Assertion Failed! File: .*TreeCtrl.cpp, Line: [0-9]+");
}

} // namespace
