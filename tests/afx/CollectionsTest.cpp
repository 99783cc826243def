// CPtrList, CStringArray, CList and CArray.
#include <afxcoll.h>
#include <afxtempl.h>

#include <string>
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

TEST(CPtrList, IteratesFromBothEndsAndRemoveAllLeavesAnEmptyUsableList)
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

    int v[25]; // several blocks of 10, all freed
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

TEST(CPtrList, FindInsertBeforeAndAfter)
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

    int v[4] = {0, 1, 2, 3};
    list.RemoveAll();
    POSITION pos1 = list.AddTail(&v[1]);
    list.InsertBefore(pos1, &v[0]);
    POSITION pos2 = list.InsertAfter(pos1, &v[2]);
    list.InsertAfter(pos2, &v[3]);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Values(list));
    EXPECT_EQ(&v[0], list.RemoveHead());
    EXPECT_EQ(&v[3], list.RemoveTail());
    EXPECT_EQ((std::vector<int>{1, 2}), Values(list));
}

std::vector<std::wstring> Contents(const CStringArray& arr)
{
    std::vector<std::wstring> contents;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        contents.push_back(arr.GetAt(i).GetString());
    return contents;
}

template <class F>
bool RaisesInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(CStringArray, GrowsInsertsAndRemovesInPlace)
{
    using Strings = std::vector<std::wstring>;
    CStringArray arr;
    EXPECT_EQ(0, arr.Add(L"a"));
    EXPECT_EQ(1, arr.Add(L"b"));
    arr.SetAtGrow(arr.GetSize(), CString(L"c")); // at the size: appends
    arr.SetAtGrow(5, L"f");                      // past the end: empty strings between
    EXPECT_EQ((Strings{L"a", L"b", L"c", L"", L"", L"f"}), Contents(arr));
    arr.SetAtGrow(3, L"d"); // inside: replaces, does not grow
    arr[4] = L"e";
    EXPECT_EQ((Strings{L"a", L"b", L"c", L"d", L"e", L"f"}), Contents(arr));
    arr.RemoveAt(0);
    arr.InsertAt(1, L"x");
    arr.InsertAt(2, L"y");
    EXPECT_EQ((Strings{L"b", L"x", L"y", L"c", L"d", L"e", L"f"}), Contents(arr));
    EXPECT_STREQ(L"x", arr[1]);
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(7); }));
    arr.RemoveAll();
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_EQ(0, arr.Add(L"again"));
}

TEST(CollectionTemplates, CListHoldsValuesInOrderAndCArrayGrowsWithinBounds)
{
    CList<UINT, UINT> list(2);
    for (UINT n = 1; n <= 5; ++n)
        list.AddTail(n * 10);
    list.AddHead(5);
    list.RemoveAt(list.Find(30));
    std::vector<UINT> values;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<UINT>{5, 10, 20, 40, 50}), values);

    CList<CString, const CString&> strings; // elements with state are copied and destroyed
    strings.AddTail(CString(L"one"));
    strings.AddTail(CString(L"two"));
    EXPECT_STREQ(L"one", strings.RemoveHead());
    EXPECT_STREQ(L"two", strings.GetHead());

    CArray<int, int> arr;
    arr.SetAtGrow(2, 9);
    ASSERT_EQ(3, arr.GetSize());
    EXPECT_EQ(0, arr[0]);
    EXPECT_EQ(9, arr[2]);
    EXPECT_EQ(3, arr.Add(4));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(-1); }));
}

} // namespace
