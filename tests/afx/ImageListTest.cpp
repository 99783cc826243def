// CImageList owns what it holds: a list shared with others is detached before the object goes.
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace {

TEST(CImageList, ADetachedListOutlivesTheObjectAndAForeignOneIsNeverOwned)
{
    HIMAGELIST hShared = ImageList_Create(16, 16, 0, 4, 4);
    HIMAGELIST hOther = ImageList_Create(16, 16, 0, 1, 1);
    ASSERT_TRUE(hShared != NULL && hOther != NULL);
    {
        CImageList list;
        ASSERT_TRUE(list.Attach(hShared));
        EXPECT_FALSE(list.Attach(hOther)) << "one list at a time";
        EXPECT_EQ(&list, CImageList::FromHandle(hShared));
        EXPECT_EQ(hShared, list.Detach());
        EXPECT_FALSE(list.DeleteImageList());
    }
    CImageList* pTemp = CImageList::FromHandle(hOther);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hOther, pTemp->m_hImageList);
    EXPECT_EQ(pTemp, CImageList::FromHandle(hOther)) << "one temporary object per list";
    EXPECT_NE(pTemp, CImageList::FromHandle(hShared));
    EXPECT_TRUE(ImageList_Destroy(hShared));
    EXPECT_TRUE(ImageList_Destroy(hOther));
}

} // namespace
