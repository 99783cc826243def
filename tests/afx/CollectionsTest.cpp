// CPtrList, CStringArray, CList and CArray.
#include <afxcoll.h>
#include <afxtempl.h>

#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<int> Values(const CPtrList& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(*static_cast<const int*>(list.GetNext(pos)));
    return values;
}

TEST(CPtrList, IteratesInInsertionOrderFromBothEnds)
{
    int a = 1, b = 2, c = 3;
    CPtrList list(10);
    list.AddTail(&b);
    list.AddTail(&c);
    list.AddHead(&a);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(list));

    std::vector<int> backwards;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        backwards.push_back(*static_cast<int*>(list.GetPrev(pos)));
    EXPECT_EQ((std::vector<int>{3, 2, 1}), backwards);
}

TEST(CPtrList, RemoveAtKeepsTheRestLinked)
{
    int v[5] = {0, 1, 2, 3, 4};
    CPtrList list(2); // several blocks
    for (int& x : v)
        list.AddTail(&x);

    list.RemoveAt(list.Find(&v[0])); // head
    list.RemoveAt(list.Find(&v[2])); // middle
    list.RemoveAt(list.Find(&v[4])); // tail
    EXPECT_EQ((std::vector<int>{1, 3}), Values(list));
    EXPECT_EQ(&v[1], list.GetHead());
    EXPECT_EQ(&v[3], list.GetTail());

    // Removing while walking: GetNext has already moved on.
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION posCurrent = pos;
        list.GetNext(pos);
        list.RemoveAt(posCurrent);
    }
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(NULL, list.GetHeadPosition());
}

TEST(CPtrList, RemoveAllLeavesAnEmptyUsableList)
{
    int v[25];
    CPtrList list(10);
    for (int i = 0; i < 25; ++i) {
        v[i] = i;
        list.AddTail(&v[i]);
    }
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(NULL, list.GetHeadPosition());
    EXPECT_EQ(NULL, list.GetTailPosition());

    list.AddTail(&v[7]);
    list.AddTail(static_cast<void*>(nullptr)); // null elements are elements too
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(&v[7], list.GetHead());
    EXPECT_EQ(nullptr, list.GetTail());
}

TEST(CPtrList, FindAndFindIndex)
{
    int a = 1, b = 2;
    CPtrList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&a);
    POSITION posFirst = list.Find(&a);
    POSITION posSecond = list.Find(&a, posFirst);
    ASSERT_NE(nullptr, posFirst);
    ASSERT_NE(nullptr, posSecond);
    EXPECT_NE(posFirst, posSecond);
    EXPECT_EQ(nullptr, list.Find(&a, posSecond));
    EXPECT_EQ(list.FindIndex(2), posSecond);
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(&b, list.GetAt(list.FindIndex(1)));
}

TEST(CPtrList, InsertBeforeAndAfter)
{
    int v[4] = {0, 1, 2, 3};
    CPtrList list;
    POSITION pos1 = list.AddTail(&v[1]);
    list.InsertBefore(pos1, &v[0]);
    POSITION pos2 = list.InsertAfter(pos1, &v[2]);
    list.InsertAfter(pos2, &v[3]);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Values(list));
    EXPECT_EQ(&v[0], list.RemoveHead());
    EXPECT_EQ(&v[3], list.RemoveTail());
    EXPECT_EQ((std::vector<int>{1, 2}), Values(list));
}

TEST(CStringArray, SetAtGrowAppendsAtTheCurrentSize)
{
    CStringArray arr;
    arr.SetAtGrow(arr.GetSize(), L"a");
    arr.SetAtGrow(arr.GetSize(), L"b");
    arr.SetAtGrow(arr.GetSize(), CString(L"c"));
    ASSERT_EQ(3, arr.GetSize());
    EXPECT_STREQ(L"a", arr[0]);
    EXPECT_STREQ(L"b", arr.GetAt(1));
    EXPECT_STREQ(L"c", arr[2]);
}

TEST(CStringArray, SetAtGrowPastTheEndFillsWithEmptyStrings)
{
    CStringArray arr;
    arr.Add(L"first");
    arr.SetAtGrow(3, L"fourth");
    ASSERT_EQ(4, arr.GetSize());
    EXPECT_STREQ(L"first", arr[0]);
    EXPECT_TRUE(arr[1].IsEmpty());
    EXPECT_TRUE(arr[2].IsEmpty());
    EXPECT_STREQ(L"fourth", arr[3]);

    arr.SetAtGrow(1, L"second"); // inside: replaces, does not grow
    EXPECT_EQ(4, arr.GetSize());
    EXPECT_STREQ(L"second", arr[1]);
}

TEST(CStringArray, AddReturnsTheIndexAndRemoveAllEmpties)
{
    CStringArray arr;
    EXPECT_EQ(0, arr.Add(L"x"));
    EXPECT_EQ(1, arr.Add(L"y"));
    arr[0] = L"changed";
    EXPECT_STREQ(L"changed", arr.GetAt(0));
    arr.RemoveAll();
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_EQ(0, arr.Add(L"again"));
}

TEST(CStringArray, IndexOutOfRangeRaisesInvalidArg)
{
    CStringArray arr;
    arr.Add(L"only");
    bool bRaised = false;
    try {
        arr.GetAt(1);
    } catch (CInvalidArgException* e) {
        bRaised = true;
        e->Delete();
    }
    EXPECT_TRUE(bRaised);
}

TEST(CStringArray, InsertAndRemoveShiftTheOthers)
{
    CStringArray arr;
    arr.Add(L"a");
    arr.Add(L"d");
    arr.InsertAt(1, L"b");
    arr.InsertAt(2, L"c");
    arr.RemoveAt(0);
    ASSERT_EQ(3, arr.GetSize());
    EXPECT_STREQ(L"b", arr[0]);
    EXPECT_STREQ(L"c", arr[1]);
    EXPECT_STREQ(L"d", arr[2]);
}

TEST(CListTemplate, HoldsValuesInOrderAndRemoves)
{
    CList<UINT, UINT> list(2);
    for (UINT n = 1; n <= 5; ++n)
        list.AddTail(n * 10);
    list.AddHead(5);
    EXPECT_EQ(6, list.GetCount());
    list.RemoveAt(list.Find(30));
    std::vector<UINT> values;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<UINT>{5, 10, 20, 40, 50}), values);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(7);
    EXPECT_EQ(7u, list.GetHead());
}

TEST(CListTemplate, ElementsWithStateAreCopiedAndDestroyed)
{
    CList<CString, const CString&> list;
    list.AddTail(CString(L"one"));
    list.AddTail(CString(L"two"));
    EXPECT_STREQ(L"one", list.RemoveHead());
    EXPECT_STREQ(L"two", list.GetHead());
}

TEST(CArrayTemplate, SetAtGrowAndBounds)
{
    CArray<int, int> arr;
    arr.SetAtGrow(2, 9);
    ASSERT_EQ(3, arr.GetSize());
    EXPECT_EQ(0, arr[0]);
    EXPECT_EQ(9, arr[2]);
    EXPECT_EQ(3, arr.Add(4));
    bool bRaised = false;
    try {
        arr.GetAt(-1);
    } catch (CInvalidArgException* e) {
        bRaised = true;
        e->Delete();
    }
    EXPECT_TRUE(bRaised);
}

} // namespace
