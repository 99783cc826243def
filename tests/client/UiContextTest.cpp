// A workflow context's attached items; the document list's and the product tree's walks are
// those the commands make on the real client in the end-to-end tests.
#include <gtest/gtest.h>

#include "ClientFolder.h"
#include "ComRef.h"
#include "com/UnknownArray.h"
#include "qvclient/UiContext.h"
#include <comdef.h>
#include <comkit/ComObject.h>

namespace {

IQvOtlObjectPtr Open(const wchar_t* pszClass, LONG id)
{
    IQvOtlObjectPtr object;
    EXPECT_EQ(S_OK, qvclient::OpenObject(pszClass, id, &object));
    return object;
}

// The class and id of each item attached to a workflow item, in order.
std::vector<std::wstring> Attached(IQvUiContext* pContext)
{
    IUnknownPtr flow;
    EXPECT_EQ(S_OK, pContext->GetFlowItem(&flow));
    IQvUiFlowItemPtr flowItem(flow);
    _variant_t items;
    std::vector<IUnknownPtr> unknowns;
    if (!flowItem || FAILED(flowItem->GetAttachedItems(&items)) || items.vt != (VT_ARRAY | VT_UNKNOWN)
        || FAILED(qvclient::ReadUnknownArray(items, unknowns)))
        return {L"no array"};
    std::vector<std::wstring> attached;
    for (IUnknown* pItem : unknowns) {
        IQvUiFlowItemPtr asFlow(pItem);
        EXPECT_TRUE(asFlow) << "an attached item is a flow item too";
        IQvUiItemPtr uiItem(pItem);
        IQvUiObjectPtr uiObject;
        IQvOtlObjectPtr object;
        LONG id = -1;
        _bstr_t name;
        if (uiItem && SUCCEEDED(uiItem->GetUiObject(&uiObject)) && SUCCEEDED(uiObject->GetOtlObject(&object))) {
            object->GetObjectID(&id);
            object->GetObjectClassName(name.GetAddress());
        }
        attached.push_back(std::wstring(name.length() ? static_cast<const wchar_t*>(name) : L"") + L" " + std::to_wstring(id));
    }
    return attached;
}

class UiContextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_docA = m_folder.Fixture().AddDocument(L"Drawing", L"a", L"dwg");
        m_docB = m_folder.Fixture().AddDocument(L"Document", L"b", L"doc");
        m_part = m_folder.Fixture().AddPart(L"part");
        ASSERT_EQ(S_OK, m_folder.Open());
    }
    viztest::ClientFolder m_folder;
    LONG m_docA = 0;
    LONG m_docB = 0;
    LONG m_part = 0;
};

TEST_F(UiContextTest, WorkflowItemGivesItsAttachedItemsInOrder)
{
    auto& b = m_folder.Fixture();
    const LONG flow = b.AddWorkflowItem(L"release");
    b.AttachToWorkflowItem(flow, L"Document", m_docB);
    b.AttachToWorkflowItem(flow, L"Part", m_part);
    b.AttachToWorkflowItem(flow, L"Document", m_docB);
    const LONG empty = b.AddWorkflowItem(L"empty");
    ASSERT_EQ(S_OK, b.GetStatus());
    const struct {
        LONG flow;
        std::vector<std::wstring> attached;
    } cases[] = {{flow, {L"Document " + std::to_wstring(m_docB), L"Part " + std::to_wstring(m_part),
                            L"Document " + std::to_wstring(m_docB)}},
        {empty, {}}};
    for (const auto& c : cases) {
        IQvUiContextPtr context;
        ASSERT_EQ(S_OK, qvclient::MakeWorkflowContext(Open(L"WorkflowItem", c.flow), &context));
        EXPECT_EQ(c.attached, Attached(context)) << "workflow item " << c.flow;
    }
}

} // namespace

namespace {

// An item whose query for the model object fails yet leaves the pointer set.
class CarelessItem : public comkit::ComObject<IUnknown> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != __uuidof(IQvOtlObject))
            return ComObject::QueryInterface(riid, ppv);
        *ppv = static_cast<IUnknown*>(this);
        return E_NOINTERFACE;
    }
};

// A workflow item with one attachment.
class OneAttachmentFlow : public comkit::ComObject<IQvOtlObject> {
public:
    explicit OneAttachmentFlow(IUnknown* pItem) : m_pItem(pItem) {}
    STDMETHODIMP GetObjectClassName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectID(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyValue(BSTR, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT* pvarObjects, VARIANT*) override
    {
        return qvclient::MakeUnknownArray({m_pItem.GetInterfacePtr()}, pvarObjects);
    }
    STDMETHODIMP RawCreate(BSTR) override { return E_NOTIMPL; }

private:
    IUnknownPtr m_pItem;
};

TEST(UiContextFailure, AnAttachmentThatIsNoModelObjectFailsTheContextAndKeepsItsReferences)
{
    IUnknownPtr pItem(static_cast<IUnknown*>(new CarelessItem));
    IQvOtlObjectPtr pFlow(static_cast<IQvOtlObject*>(new OneAttachmentFlow(pItem)));
    IQvUiContext* pContext = nullptr;
    EXPECT_EQ(E_NOINTERFACE, qvclient::MakeWorkflowContext(pFlow, &pContext));
    EXPECT_EQ(nullptr, pContext);
    pItem->AddRef();
    EXPECT_EQ(2u, pItem->Release()) << "the test's and the flow's reference";
}

} // namespace
