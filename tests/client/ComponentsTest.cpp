// The object collection and the wait window.
#include <gtest/gtest.h>

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

// A window never shown is not closed either. What the trace says of a wait window is the print
// and download tests'.
TEST(WaitWindowTest, BeginStepsAndEndReachTheObserver)
{
    viztest::ClientFolder folder;
    ASSERT_EQ(S_OK, folder.Open());
    std::vector<std::wstring> observed;
    folder.Client().SetWaitObserver([&observed](const qvclient::WaitEvent& e) {
        observed.push_back(e.event + L" " + e.caption + L" " + std::to_wstring(e.position) + L"/" + std::to_wstring(e.total));
    });
    {
        CPlmWait never(L"x", 0, 2, 1, 0);
    }
    {
        CPlmWait wait(L"正在导出...", 0, 3, -1, 0);
        EXPECT_EQ(S_OK, wait.BeginWait(nullptr, nullptr));
        EXPECT_EQ(S_OK, wait.Step());
        EXPECT_EQ(S_OK, wait.Step());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"begin 正在导出... 0/3", L"step 正在导出... 1/3", L"step 正在导出... 2/3",
                  L"end 正在导出... 2/3"}),
        observed);
}

} // namespace
