// Run-time class information: class names, bases, IsKindOf, dynamic creation and downcasts.
#include <afxwin.h>
#include <afxcmn.h>
#include <BCGCBProInc.h>

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace {

class CViewerLike : public CWnd {
    DECLARE_DYNCREATE(CViewerLike)
};
IMPLEMENT_DYNCREATE(CViewerLike, CWnd)

class CPlainDlg : public CBCGPDialog {
    DECLARE_DYNAMIC(CPlainDlg)
public:
    CPlainDlg() : CBCGPDialog(1u) {}
};
IMPLEMENT_DYNAMIC(CPlainDlg, CBCGPDialog)

TEST(RuntimeClass, NamesBasesKindsAndDynamicCreationFollowTheDeclarations)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CPlainDlg);
    EXPECT_STREQ("CPlainDlg", pClass->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CPlainDlg)), pClass->m_nObjectSize);
    ASSERT_NE(nullptr, pClass->m_pfnGetBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CBCGPDialog), pClass->m_pfnGetBaseClass());
    EXPECT_EQ(RUNTIME_CLASS(CDialog), RUNTIME_CLASS(CBCGPDialog)->m_pfnGetBaseClass());
    EXPECT_EQ(nullptr, pClass->m_pfnCreateObject); // no dynamic creation
    EXPECT_EQ(nullptr, pClass->CreateObject());
    CPlainDlg dlg;
    EXPECT_EQ(RUNTIME_CLASS(CPlainDlg), dlg.GetRuntimeClass());
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(dlg.IsKindOf(RUNTIME_CLASS(CTreeCtrl)));
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CViewerLike)->CreateObject());
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CViewerLike)));
    EXPECT_STREQ("CViewerLike", pObject->GetRuntimeClass()->m_lpszClassName);
}

} // namespace
