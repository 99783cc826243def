// CDialog on the window system: a modal dialog from a template whose controls reach the
// object's message map, a tree control bound by DDX_Control, and the end of the dialog.
#include <afxcmn.h>
#include <afxwin.h>
#include <BCGCBProInc.h>

#include <win32host/Trace.h>

#include <gtest/gtest.h>

#include "DialogTemplateBuilder.h"
#include "ScriptedUser.h"

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

class CTreeTestDlg : public CBCGPDialog {
public:
    CTreeCtrl m_tree;
    CButton m_btnPdf;
    HTREEITEM m_hRoot = NULL;
    HTREEITEM m_hFile = NULL;
    HTREEITEM m_hFolder = NULL;
    HTREEITEM m_hNested = NULL;
    int m_nFileData = 0;

    int m_nPrintClicks = 0;
    int m_nPdfCheck = -1;
    int m_nTreeClicks = 0;
    UINT m_nClickHitFlags = 0;
    HTREEITEM m_hClickHit = NULL;
    int m_cx = -1;
    int m_cy = -1;
    bool m_bTreeAttachedAtDestroy = false;
    int m_nCloseCalls = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CBCGPDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TREE, m_tree);
        DDX_Control(pDX, IDC_PDF, m_btnPdf);
    }

    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        EnableVisualManagerStyle(TRUE, FALSE, NULL);
        m_hRoot = m_tree.InsertItem(L"根", TVI_ROOT, TVI_FIRST);
        m_hFile = m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE, L"a.pdf", 3, 3, 0, 0,
            reinterpret_cast<LPARAM>(&m_nFileData), m_hRoot, TVI_LAST);
        m_hFolder = m_tree.InsertItem(L"folder", 1, 1, m_hRoot);
        m_hNested = m_tree.InsertItem(L"b.dwg", m_hFolder);
        m_tree.Expand(m_hRoot, TVE_EXPAND);
        m_tree.Expand(m_hFolder, TVE_EXPAND);
        return TRUE;
    }

    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CBCGPDialog::OnSize(nType, cx, cy);
        m_cx = cx;
        m_cy = cy;
    }
    afx_msg void OnBnClickedPrint() { ++m_nPrintClicks; }
    afx_msg void OnBnClickedPdf() { m_nPdfCheck = m_btnPdf.GetCheck(); }
    afx_msg void OnNMClickTree(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++m_nTreeClicks;
        CPoint pt;
        GetCursorPos(&pt);
        m_tree.ScreenToClient(&pt);
        m_hClickHit = m_tree.HitTest(pt, &m_nClickHitFlags);
        *pResult = 0;
    }
    afx_msg void OnNMReturnTree(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = 42; }
    afx_msg void OnClose()
    {
        ++m_nCloseCalls;
        CBCGPDialog::OnClose(); // the dialog manager turns it into Cancel
    }
    afx_msg void OnDestroy()
    {
        m_bTreeAttachedAtDestroy = m_tree.m_hWnd != NULL;
        CBCGPDialog::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeTestDlg, CBCGPDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_PRINT, &CTreeTestDlg::OnBnClickedPrint)
    ON_BN_CLICKED(IDC_PDF, &CTreeTestDlg::OnBnClickedPdf)
    ON_NOTIFY(NM_CLICK, IDC_TREE, &CTreeTestDlg::OnNMClickTree)
    ON_NOTIFY(NM_RETURN, IDC_TREE, &CTreeTestDlg::OnNMReturnTree)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    DialogTemplateBuilder m_template = TreeDialogTemplate();
    CTreeTestDlg m_dlg;

    INT_PTR RunWith(std::function<void(HWND)> script)
    {
        ScriptedUser user(std::move(script));
        win32host::ScopedDesktopUser scoped(user);
        m_dlg.InitModalIndirect(m_template.Get());
        return m_dlg.DoModal();
    }
};

TEST_F(DialogTest, ControlsAreBoundAndTheTreeIsFilledBeforeTheUserActs)
{
    bool bChecked = false;
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        bChecked = true;
        EXPECT_EQ(&m_dlg, CWnd::FromHandlePermanent(hDlg));
        EXPECT_EQ(::GetDlgItem(hDlg, IDC_TREE), m_dlg.m_tree.m_hWnd);
        EXPECT_EQ(&m_dlg.m_tree, CWnd::FromHandle(::GetDlgItem(hDlg, IDC_TREE)));
        EXPECT_TRUE(m_dlg.IsVisualManagerStyle());
        EXPECT_FALSE(m_dlg.IsVisualManagerNCArea());

        CTreeCtrl& tree = m_dlg.m_tree;
        EXPECT_EQ(4u, tree.GetCount());
        EXPECT_EQ(m_dlg.m_hRoot, tree.GetRootItem());
        EXPECT_EQ(m_dlg.m_hFile, tree.GetChildItem(m_dlg.m_hRoot));
        EXPECT_EQ(m_dlg.m_hFolder, tree.GetNextSiblingItem(m_dlg.m_hFile));
        EXPECT_EQ(nullptr, tree.GetNextSiblingItem(m_dlg.m_hFolder));
        EXPECT_EQ(m_dlg.m_hFolder, tree.GetParentItem(m_dlg.m_hNested));
        EXPECT_TRUE(tree.ItemHasChildren(m_dlg.m_hFolder));
        EXPECT_FALSE(tree.ItemHasChildren(m_dlg.m_hNested));
        EXPECT_STREQ(L"根", tree.GetItemText(m_dlg.m_hRoot));
        EXPECT_STREQ(L"b.dwg", tree.GetItemText(m_dlg.m_hNested));
        EXPECT_EQ(reinterpret_cast<DWORD_PTR>(&m_dlg.m_nFileData), tree.GetItemData(m_dlg.m_hFile));
        EXPECT_EQ(0u, tree.GetItemData(m_dlg.m_hFolder));
        int nImage = -1, nSelected = -1;
        EXPECT_TRUE(tree.GetItemImage(m_dlg.m_hFile, nImage, nSelected));
        EXPECT_EQ(3, nImage);
        EXPECT_EQ(3, nSelected);

        EXPECT_FALSE(tree.GetCheck(m_dlg.m_hNested));
        tree.SetCheck(m_dlg.m_hNested, TRUE);
        EXPECT_TRUE(tree.GetCheck(m_dlg.m_hNested));
        tree.SetCheck(m_dlg.m_hNested, FALSE);
        EXPECT_FALSE(tree.GetCheck(m_dlg.m_hNested));
        tree.SetItemData(m_dlg.m_hNested, 77);
        EXPECT_EQ(77u, tree.GetItemData(m_dlg.m_hNested));
    });
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(IDCANCEL, nResult);
}

TEST_F(DialogTest, ClicksAndNotificationsReachTheirHandlers)
{
    RunWith([&](HWND hDlg) {
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDC_PRINT));
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDC_PRINT));
        EXPECT_EQ(2, m_dlg.m_nPrintClicks);
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDC_PDF));
        EXPECT_EQ(BST_CHECKED, m_dlg.m_nPdfCheck);
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDC_PDF));
        EXPECT_EQ(BST_UNCHECKED, m_dlg.m_nPdfCheck);

        ASSERT_TRUE(win32host::ClickTreeItemCheckBox(m_dlg.m_tree.m_hWnd, m_dlg.m_hNested));
        EXPECT_EQ(1, m_dlg.m_nTreeClicks);
        EXPECT_EQ(m_dlg.m_hNested, m_dlg.m_hClickHit);
        EXPECT_TRUE(m_dlg.m_nClickHitFlags & TVHT_ONITEMSTATEICON);
        EXPECT_TRUE(m_dlg.m_tree.GetCheck(m_dlg.m_hNested));

        ASSERT_TRUE(win32host::ClickTreeItemLabel(m_dlg.m_tree.m_hWnd, m_dlg.m_hFile));
        EXPECT_EQ(2, m_dlg.m_nTreeClicks);
        EXPECT_EQ(m_dlg.m_hFile, m_dlg.m_hClickHit);
        EXPECT_FALSE(m_dlg.m_nClickHitFlags & TVHT_ONITEMSTATEICON);
        EXPECT_FALSE(m_dlg.m_tree.GetCheck(m_dlg.m_hFile));

        // A notify handler's result is the message's.
        NMHDR nmhdr = {};
        nmhdr.hwndFrom = m_dlg.m_tree.m_hWnd;
        nmhdr.idFrom = IDC_TREE;
        nmhdr.code = NM_RETURN;
        EXPECT_EQ(42, ::SendMessageW(hDlg, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&nmhdr)));
        nmhdr.code = NM_RDBLCLK; // no entry: the dialog's default answer
        EXPECT_EQ(0, ::SendMessageW(hDlg, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&nmhdr)));
    });
}

TEST_F(DialogTest, SizeStyleAndIconOfTheWindow)
{
    RunWith([&](HWND hDlg) {
        ASSERT_TRUE(win32host::ResizeWindow(hDlg, 700, 520));
        CRect rcClient;
        m_dlg.GetClientRect(&rcClient);
        EXPECT_EQ(rcClient.Width(), m_dlg.m_cx);
        EXPECT_EQ(rcClient.Height(), m_dlg.m_cy);
        CRect rcWindow;
        m_dlg.GetWindowRect(&rcWindow);
        EXPECT_EQ(700, rcWindow.Width());

        CTreeCtrl& tree = m_dlg.m_tree;
        ASSERT_TRUE(tree.GetStyle() & TVS_CHECKBOXES);
        EXPECT_TRUE(tree.ModifyStyle(TVS_CHECKBOXES, 0));
        EXPECT_FALSE(tree.GetStyle() & TVS_CHECKBOXES);
        EXPECT_FALSE(tree.ModifyStyle(TVS_CHECKBOXES, 0)); // nothing to change
        EXPECT_TRUE(tree.ModifyStyle(0, TVS_CHECKBOXES));
        EXPECT_TRUE(tree.GetStyle() & TVS_CHECKBOXES);
        EXPECT_TRUE(tree.GetStyle() & WS_BORDER);

        HICON hIcon = LoadIconW(NULL, IDI_APPLICATION);
        m_dlg.SetIcon(hIcon, TRUE);
        m_dlg.SetIcon(hIcon, FALSE);
        EXPECT_EQ(hIcon, m_dlg.GetIcon(TRUE));
        EXPECT_EQ(hIcon, m_dlg.GetIcon(FALSE));

        m_dlg.ShowWindow(SW_SHOWMAXIMIZED);
        EXPECT_TRUE(m_dlg.IsZoomed());
    });
}

TEST_F(DialogTest, EndingTheDialogDetachesEveryObject)
{
    HWND hDlgSeen = NULL;
    HWND hTreeSeen = NULL;
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        hDlgSeen = hDlg;
        hTreeSeen = m_dlg.m_tree.m_hWnd;
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDCANCEL));
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_TRUE(m_dlg.m_bTreeAttachedAtDestroy);
    EXPECT_EQ(nullptr, m_dlg.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_tree.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_btnPdf.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlgSeen));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hTreeSeen));
}

TEST_F(DialogTest, CloseBoxReachesOnCloseAndCancelsTheDialog)
{
    INT_PTR nResult = RunWith([&](HWND hDlg) { ASSERT_TRUE(win32host::CloseWindowByUser(hDlg)); });
    EXPECT_EQ(1, m_dlg.m_nCloseCalls);
    EXPECT_EQ(IDCANCEL, nResult);
}

TEST_F(DialogTest, TheDialogCanRunAgainWithTheSameObject)
{
    RunWith([](HWND hDlg) { win32host::PressKey(VK_ESCAPE); });
    int nClicks = m_dlg.m_nPrintClicks;
    INT_PTR nResult = RunWith([&](HWND hDlg) {
        ASSERT_TRUE(win32host::ClickControl(hDlg, IDC_PRINT));
        EXPECT_EQ(4u, m_dlg.m_tree.GetCount());
    });
    EXPECT_EQ(nClicks + 1, m_dlg.m_nPrintClicks);
    EXPECT_EQ(IDCANCEL, nResult);
}

TEST(DialogResources, MissingTemplateMakesDoModalFail)
{
    win32host::TraceRecorder trace;
    CDialog dlg(64999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(trace.OfKind("dialog").empty());
}

// A control used before it has its window stops the program at the failed check, as a debug
// build of the framework does.
TEST(ControlWithoutWindow, AssertsAndReportsTheFileAndLine)
{
    CTreeCtrl tree;
    CButton button;
    EXPECT_DEATH(tree.GetCount(), "Debug Assertion Failed! File: .*tree_ctrl.cpp, Line: [0-9]+");
    EXPECT_DEATH(button.SetCheck(BST_CHECKED), "Debug Assertion Failed! File: .*controls.cpp, Line: [0-9]+");
}

} // namespace
