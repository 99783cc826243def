// BuildFlowItemList: the workflow items of an attached-items VARIANT, one reference each.
#include <gtest/gtest.h>

#include "ClientFolder.h"
#include "FakeObjects.h"
#include "FakeUi.h"
#include "manager/FlowItemList.h"
#include "manager/DocumentSelectDlg.h"

using namespace moduletest;

namespace {

class FlowItemListTest : public testing::Test {
protected:
    ~FlowItemListTest() override { VariantClear(&m_var); }
    void SetUp() override { ASSERT_EQ(S_OK, m_client.Open()); }

    void Attach(std::vector<IUnknown*> items)
    {
        VariantClear(&m_var);
        m_holder->attached = std::move(items);
        m_holder->GetAttachedItems(&m_var);
    }

    viztest::ClientFolder m_client; // its object collection reads the VARIANT
    FakeRef<FakeFlowItem> m_holder = MakeFake<FakeFlowItem>();
    FakeRef<FakeFlowItem> m_first = MakeFake<FakeFlowItem>();
    FakeRef<FakeFlowItem> m_second = MakeFake<FakeFlowItem>();
    FakeRef<FakeOtlObject> m_part = MakeFake<FakeOtlObject>();
    VARIANT m_var{};
    CFlowItemList m_list;

    IUnknown* First() { return static_cast<IQvUiFlowItem*>(m_first.get()); }
    IUnknown* Second() { return static_cast<IQvUiFlowItem*>(m_second.get()); }
};

TEST_F(FlowItemListTest, ItemsInCollectionOrderWithDuplicates)
{
    Attach({First(), Second(), First()});
    ULONG firstBefore = m_first->Count();
    EXPECT_EQ(S_OK, BuildFlowItemList(&m_var, m_list));
    ASSERT_EQ(3u, m_list.size());
    auto it = m_list.begin();
    EXPECT_EQ(First(), static_cast<IUnknown*>(static_cast<IQvUiFlowItem*>(*it++)));
    EXPECT_EQ(Second(), static_cast<IUnknown*>(static_cast<IQvUiFlowItem*>(*it++)));
    EXPECT_EQ(First(), static_cast<IUnknown*>(static_cast<IQvUiFlowItem*>(*it++)));
    EXPECT_EQ(firstBefore + 2, m_first->Count());
    m_list.clear();
    EXPECT_EQ(firstBefore, m_first->Count());
}

// An empty collection gives an empty list; an item that is no flow item fails the list and keeps
// those before it; a VARIANT that holds no objects fails.
TEST_F(FlowItemListTest, EmptyOrShortLists)
{
    Attach({});
    EXPECT_EQ(S_OK, BuildFlowItemList(&m_var, m_list));
    EXPECT_TRUE(m_list.empty());
    Attach({First(), Second(), static_cast<IQvOtlObject*>(m_part.get()), First()});
    EXPECT_EQ(E_NOINTERFACE, BuildFlowItemList(&m_var, m_list));
    EXPECT_EQ(2u, m_list.size());
    CFlowItemList none;
    _variant_t number(7L);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, BuildFlowItemList(&number, none));
    EXPECT_TRUE(none.empty());
}

// The client's collection never fails to give an item it counted; this one does.
class UnreadableCollection : public comkit::ComObject<IQvObjectCollection> {
public:
    STDMETHODIMP SetVariant(VARIANT*) override { return S_OK; }
    STDMETHODIMP GetCount(ULONG* pnCount) override
    {
        *pnCount = 2;
        return S_OK;
    }
    STDMETHODIMP GetItem(ULONG, IUnknown** ppItem) override
    {
        *ppItem = nullptr;
        return DISP_E_BADINDEX;
    }
};

TEST(FlowItemListOfOtherCollections, FailuresAreReturned)
{
    VARIANT var;
    VariantInit(&var);
    CFlowItemList list;
    EXPECT_LT(BuildFlowItemList(&var, list), 0) << "no collection";
    ClassRegistration collection(CLSID_QvObjectCollection,
        [](REFIID iid, void** ppv) { return comkit::CreateComObject<UnreadableCollection>(iid, ppv); });
    EXPECT_EQ(DISP_E_BADINDEX, BuildFlowItemList(&var, list));
    EXPECT_TRUE(list.empty());
}

TEST_F(FlowItemListTest, DialogCopyHoldsItsOwnReferences)
{
    ULONG baseFirst = m_first->Count();
    ULONG baseSecond = m_second->Count();
    Attach({First(), Second()});
    ASSERT_EQ(S_OK, BuildFlowItemList(&m_var, m_list));
    {
        CDocumentSelectDlg dlg;
        dlg.m_lstFlowItems.push_back(IQvUiFlowItemPtr(static_cast<IQvUiFlowItem*>(m_second.get())));
        dlg.m_lstFlowItems = m_list;
        m_list.clear();
        VariantClear(&m_var);
        ASSERT_EQ(2u, dlg.m_lstFlowItems.size());
        EXPECT_EQ(First(), static_cast<IUnknown*>(static_cast<IQvUiFlowItem*>(dlg.m_lstFlowItems.front())));
        EXPECT_EQ(baseFirst + 1, m_first->Count());
        EXPECT_EQ(baseSecond + 1, m_second->Count());
    }
    EXPECT_EQ(baseFirst, m_first->Count());
    EXPECT_EQ(baseSecond, m_second->Count());
}

} // namespace
