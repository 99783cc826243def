// The object collection and the wait window.
#include <gtest/gtest.h>

#include <win32host/Trace.h>

#include "ClientTestFolder.h"
#include "ZORUIWait.h"
#include <comkit/ComObject.h>

namespace {

// An object that only counts its references.
class Counted : public comkit::ComObject<IUnknown> {
public:
    ULONG References()
    {
        AddRef();
        return Release();
    }
};

IQvObjectCollection* NewCollection()
{
    IQvObjectCollection* p = nullptr;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_QvObjectCollection, nullptr, 0x17, __uuidof(IQvObjectCollection),
                        reinterpret_cast<void**>(&p)));
    return p;
}

TEST(ObjectCollectionTest, GivesTheItemsOfAnArrayByIndexWithTheirOwnReference)
{
    ClientTestFolder folder;
    ASSERT_EQ(S_OK, folder.OpenClient());
    auto* pA = new Counted();
    auto* pB = new Counted();
    pA->AddRef();
    pB->AddRef();
    SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 3);
    IUnknown* items[] = {pA, pB, pA};
    for (LONG i = 0; i < 3; ++i)
        ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &i, items[i]));
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_ARRAY | VT_UNKNOWN;
    var.parray = psa;

    IQvObjectCollection* pCollection = NewCollection();
    ASSERT_EQ(S_OK, pCollection->SetVariant(&var));
    VariantClear(&var);
    ULONG nCount = 0;
    ASSERT_EQ(S_OK, pCollection->GetCount(&nCount));
    EXPECT_EQ(3u, nCount);
    for (ULONG i = 0; i < nCount; ++i) {
        IUnknown* pItem = nullptr;
        ASSERT_EQ(S_OK, pCollection->GetItem(i, &pItem));
        EXPECT_EQ(items[i], pItem);
        pItem->Release();
    }
    IUnknown* pItem = reinterpret_cast<IUnknown*>(1);
    EXPECT_TRUE(FAILED(pCollection->GetItem(3, &pItem)));
    EXPECT_EQ(nullptr, pItem);
    // The collection holds its own references until it goes.
    EXPECT_EQ(3u, pA->References());
    pCollection->Release();
    EXPECT_EQ(1u, pA->References());
    EXPECT_EQ(1u, pB->References());
    pA->Release();
    pB->Release();
}

TEST(ObjectCollectionTest, AnEmptyVariantHasNoItemsAndOtherTypesAreRefused)
{
    ClientTestFolder folder;
    ASSERT_EQ(S_OK, folder.OpenClient());
    IQvObjectCollection* pCollection = NewCollection();
    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, pCollection->SetVariant(&var));
    ULONG nCount = 9;
    pCollection->GetCount(&nCount);
    EXPECT_EQ(0u, nCount);
    var.vt = VT_I4;
    var.lVal = 5;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, pCollection->SetVariant(&var));
    pCollection->Release();
}

TEST(WaitWindowTest, BeginStepsAndEndAreTracedAndObserved)
{
    ClientTestFolder folder;
    ASSERT_EQ(S_OK, folder.OpenClient());
    std::vector<qvclient::WaitEvent> observed;
    folder.Client().SetWaitObserver([&observed](const qvclient::WaitEvent& e) { observed.push_back(e); });
    win32host::TraceRecorder trace;
    {
        CPlmWait wait(L"正在导出...", 0, 3, -1, 0);
        EXPECT_EQ(S_OK, wait.BeginWait(nullptr, nullptr));
        EXPECT_EQ(S_OK, wait.Step());
        EXPECT_EQ(S_OK, wait.Step());
    }
    const auto events = trace.OfKind("wait");
    ASSERT_EQ(4u, events.size());
    const char* expected[][2] = {{"begin", "0"}, {"step", "1"}, {"step", "2"}, {"end", "2"}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i][0], events[i].Get("event"));
        EXPECT_EQ(expected[i][1], events[i].Get("position"));
        EXPECT_EQ("3", events[i].Get("total"));
        EXPECT_EQ("正在导出...", events[i].Get("caption"));
    }
    ASSERT_EQ(4u, observed.size());
    EXPECT_EQ(L"end", observed[3].event);
    EXPECT_EQ(2, observed[3].position);
    EXPECT_EQ(3, observed[3].total);
}

TEST(WaitWindowTest, AWindowNeverShownIsNotClosed)
{
    ClientTestFolder folder;
    ASSERT_EQ(S_OK, folder.OpenClient());
    win32host::TraceRecorder trace;
    {
        CPlmWait wait(L"x", 0, 2, 1, 0);
    }
    EXPECT_TRUE(trace.OfKind("wait").empty());
}

} // namespace
