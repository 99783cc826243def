// CPtrList and CStringArray.
#include <afxcoll.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

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

TEST(CPtrList, KeepsOrderAcrossBlocksAndRemoveAllLeavesAnEmptyUsableList)
{
    int v[25]; // several blocks of 10, all freed
    CPtrList list(10);
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetHead(); }));
    for (int& x : v)
        list.AddTail(&x);
    EXPECT_EQ(25, list.GetCount());
    EXPECT_EQ(&v[0], list.GetHead());
    const CPtrList& constList = list;
    int n = 0;
    for (POSITION pos = constList.GetHeadPosition(); pos != NULL; ++n)
        EXPECT_EQ(&v[n], constList.GetNext(pos)) << n;
    EXPECT_EQ(25, n);

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(NULL, list.GetHeadPosition());
    list.AddTail(static_cast<void*>(nullptr)); // null elements are elements too
    list.AddTail(&v[7]);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(nullptr, list.GetNext(pos));
    EXPECT_EQ(&v[7], list.GetNext(pos));
    EXPECT_EQ(NULL, pos);
}

TEST(CStringArray, SetAtGrowFillsTheGapAndIndicesAreChecked)
{
    CStringArray arr;
    EXPECT_EQ(0, arr.Add(L"a"));
    arr.SetAtGrow(arr.GetSize(), L"b"); // at the size: appends
    arr.SetAtGrow(4, arr[1]);           // past the end, from an element that growing moves
    EXPECT_STREQ(L"", arr[3]);          // empty strings between
    arr.SetAtGrow(2, L"c");             // inside: replaces
    arr[3] = L"d";
    std::vector<std::wstring> contents;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        contents.push_back(arr.GetAt(i).GetString());
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"b"}), contents);
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(5); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.SetAtGrow(-1, L"x"); }));
    arr.RemoveAll();
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_EQ(0, arr.Add(L"again"));
}

} // namespace
