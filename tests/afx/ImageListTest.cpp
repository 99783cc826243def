// CImageList owns what it holds: a list shared with others is detached before the object goes.
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace {

TEST(CImageList, DetachedListOutlivesTheObject)
{
    HIMAGELIST hShared = ImageList_Create(16, 16, 0, 4, 4);
    ASSERT_NE(nullptr, hShared);
    HICON hIcon = LoadIconW(NULL, IDI_APPLICATION);
    {
        CImageList list;
        ASSERT_TRUE(list.Attach(hShared));
        EXPECT_EQ(&list, CImageList::FromHandlePermanent(hShared));
        EXPECT_EQ(0, list.Add(hIcon));
        EXPECT_EQ(hShared, list.Detach());
        EXPECT_EQ(nullptr, list.m_hImageList);
        EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hShared));
    }
    EXPECT_EQ(1, ImageList_GetImageCount(hShared));
    EXPECT_EQ(1, ImageList_ReplaceIcon(hShared, -1, hIcon));
    EXPECT_EQ(-1, ImageList_ReplaceIcon(hShared, 5, hIcon));
    EXPECT_EQ(LoadIconW(NULL, IDI_APPLICATION), hIcon) << "system icons are shared";
    EXPECT_TRUE(ImageList_Destroy(hShared));
}

TEST(CImageList, AttachRefusesASecondList)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, 0, 1, 1));
    HIMAGELIST hOther = ImageList_Create(16, 16, 0, 1, 1);
    EXPECT_FALSE(list.Attach(hOther));
    EXPECT_NE(hOther, list.m_hImageList);
    EXPECT_TRUE(ImageList_Destroy(hOther));
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_EQ(nullptr, list.GetSafeHandle());
    EXPECT_FALSE(list.DeleteImageList());
}

TEST(CImageList, FromHandleOfAForeignListNeverDestroysIt)
{
    HIMAGELIST hForeign = ImageList_Create(16, 16, 0, 1, 1);
    CImageList* pTemp = CImageList::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->m_hImageList);
    EXPECT_EQ(pTemp, CImageList::FromHandle(hForeign));
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hForeign));
    EXPECT_TRUE(ImageList_Destroy(hForeign));
}

} // namespace
