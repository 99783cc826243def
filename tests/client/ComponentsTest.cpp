// The object collection and the wait window.
#include <gtest/gtest.h>

#include <win32host/Trace.h>

#include "ClientFolder.h"
#include "ZORUIWait.h"
#include "com/UnknownArray.h"
#include <comkit/ComObject.h>

namespace {

// An object and nothing more.
class Plain : public comkit::ComObject<IUnknown> {};

// The order of the items and the references the collection holds are checked where the module
// reads workflow items through it; past the end it gives no item.
TEST(ObjectCollectionTest, AnIndexPastTheEndFailsAndGivesNoItem)
{
    viztest::ClientFolder folder;
    ASSERT_EQ(S_OK, folder.Open());
    const IUnknownPtr item(static_cast<IUnknown*>(new Plain()));
    _variant_t array;
    ASSERT_EQ(S_OK, qvclient::MakeUnknownArray({item.GetInterfacePtr()}, &array));
    IQvObjectCollectionPtr collection(CLSID_QvObjectCollection);
    ASSERT_EQ(S_OK, collection->SetVariant(&array));
    IUnknown* pItem = reinterpret_cast<IUnknown*>(1);
    EXPECT_TRUE(FAILED(collection->GetItem(1, &pItem)));
    EXPECT_EQ(nullptr, pItem);
}

// A window never shown is not closed either.
TEST(WaitWindowTest, BeginStepsAndEndAreTracedAndObserved)
{
    viztest::ClientFolder folder;
    ASSERT_EQ(S_OK, folder.Open());
    std::vector<qvclient::WaitEvent> observed;
    folder.Client().SetWaitObserver([&observed](const qvclient::WaitEvent& e) { observed.push_back(e); });
    win32host::TraceRecorder trace;
    {
        CPlmWait never(L"x", 0, 2, 1, 0);
    }
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

} // namespace
