// The walks a command makes through its context: document list, product tree and workflow.
#include <gtest/gtest.h>

#include "ClientTestFolder.h"
#include "ComRef.h"
#include "com/UnknownArray.h"
#include "qvclient/UiContext.h"
#include <comdef.h>
#include <comkit/ComObject.h>

namespace {

template <class I>
I* Query(IUnknown* p)
{
    I* pResult = nullptr;
    if (p != nullptr)
        p->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&pResult));
    return pResult;
}

// Selected item -> UI object -> model object id; -1 when a step gives nothing.
LONG SelectedObjectId(IQvUiView* pView, LONG nIndex)
{
    IQvUiItem* pItem = nullptr;
    if (FAILED(pView->GetSelectedItem(nIndex, &pItem)) || pItem == nullptr)
        return -1;
    IQvUiObject* pUiObject = nullptr;
    pItem->GetUiObject(&pUiObject);
    pItem->Release();
    if (pUiObject == nullptr)
        return -1;
    IQvOtlObject* pObject = nullptr;
    pUiObject->GetOtlObject(&pObject);
    pUiObject->Release();
    if (pObject == nullptr)
        return -1;
    LONG id = -1;
    pObject->GetObjectID(&id);
    pObject->Release();
    return id;
}

IQvOtlObject* Open(const wchar_t* pszClass, LONG id)
{
    IQvOtlObject* p = nullptr;
    EXPECT_EQ(S_OK, qvclient::OpenObject(pszClass, id, &p));
    return p;
}

class UiContextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_docA = m_folder.Builder().AddDocument(L"Drawing", L"a", L"dwg");
        m_docB = m_folder.Builder().AddDocument(L"Document", L"b", L"doc");
        m_part = m_folder.Builder().AddPart(L"part");
        ASSERT_EQ(S_OK, m_folder.OpenClient());
    }
    ClientTestFolder m_folder;
    LONG m_docA = 0;
    LONG m_docB = 0;
    LONG m_part = 0;
};

TEST_F(UiContextTest, DocumentListParentFrameGivesTheSelection)
{
    IQvOtlObject* pA = Open(L"Drawing", m_docA);
    IQvOtlObject* pB = Open(L"Document", m_docB);
    IQvUiContext* pContext = nullptr;
    const HWND hWnd = reinterpret_cast<HWND>(0x1234);
    ASSERT_EQ(S_OK, qvclient::MakeDocumentListContext({pA, pB}, hWnd, &pContext));

    IQvUiWindow* pCommand = nullptr;
    ASSERT_EQ(S_OK, pContext->GetCommandWindow(&pCommand));
    HWND hGot = nullptr;
    ASSERT_EQ(S_OK, pCommand->GetHwnd(&hGot));
    EXPECT_EQ(hWnd, hGot);
    EXPECT_EQ(nullptr, Query<IQvUiViewFrame>(pCommand));
    IQvUiWindow* pParent = nullptr;
    ASSERT_EQ(S_OK, pCommand->GetParentWindow(&pParent));
    IQvUiViewFrame* pFrame = Query<IQvUiViewFrame>(pParent);
    ASSERT_NE(nullptr, pFrame);
    IQvUiView* pView = nullptr;
    ASSERT_EQ(S_OK, pFrame->GetView(&pView));
    EXPECT_EQ(nullptr, Query<IQvUiTreeView>(pView));
    EXPECT_EQ(m_docA, SelectedObjectId(pView, 0));
    EXPECT_EQ(m_docB, SelectedObjectId(pView, 1));
    EXPECT_EQ(-1, SelectedObjectId(pView, 2));

    IUnknown* pFlow = nullptr;
    EXPECT_TRUE(FAILED(pContext->GetFlowItem(&pFlow)));
    EXPECT_EQ(nullptr, pFlow);

    pView->Release();
    pFrame->Release();
    pParent->Release();
    pCommand->Release();
    pContext->Release();
    pA->Release();
    pB->Release();
}

TEST_F(UiContextTest, ProductTreeFrameIsAboveAPaneAndHoldsATreeView)
{
    IQvOtlObject* pPart = Open(L"Part", m_part);
    IQvUiContext* pContext = nullptr;
    ASSERT_EQ(S_OK, qvclient::MakeProductTreeContext(pPart, &pContext));

    IQvUiWindow* pWindow = nullptr;
    ASSERT_EQ(S_OK, pContext->GetCommandWindow(&pWindow));
    HWND hWnd = reinterpret_cast<HWND>(1);
    pWindow->GetHwnd(&hWnd);
    EXPECT_EQ(nullptr, hWnd);
    // Climb until a window offers the frame, as the tree command does.
    int nClimbed = 0;
    IQvUiView* pView = nullptr;
    while (pWindow != nullptr && pView == nullptr) {
        IQvUiWindow* pParent = nullptr;
        ASSERT_EQ(S_OK, pWindow->GetParentWindow(&pParent));
        pWindow->Release();
        pWindow = pParent;
        ++nClimbed;
        if (IQvUiViewFrame* pFrame = Query<IQvUiViewFrame>(pWindow)) {
            pFrame->GetView(&pView);
            pFrame->Release();
        }
    }
    EXPECT_EQ(2, nClimbed);
    ASSERT_NE(nullptr, pView);
    IQvUiTreeView* pTree = Query<IQvUiTreeView>(pView);
    ASSERT_NE(nullptr, pTree);
    EXPECT_EQ(m_part, SelectedObjectId(pTree, 0));

    // Above the frame the chain ends.
    IQvUiWindow* pTop = reinterpret_cast<IQvUiWindow*>(1);
    EXPECT_EQ(S_OK, pWindow->GetParentWindow(&pTop));
    EXPECT_EQ(nullptr, pTop);

    pTree->Release();
    pView->Release();
    pWindow->Release();
    pContext->Release();
    pPart->Release();
}

TEST_F(UiContextTest, WorkflowItemGivesItsAttachedItemsInOrder)
{
    auto& b = m_folder.Builder();
    const LONG flow = b.AddWorkflowItem(L"release");
    b.AttachToWorkflowItem(flow, L"Document", m_docB);
    b.AttachToWorkflowItem(flow, L"Part", m_part);
    b.AttachToWorkflowItem(flow, L"Document", m_docB);
    ASSERT_EQ(S_OK, b.GetStatus());
    IQvOtlObject* pFlowObject = Open(L"WorkflowItem", flow);
    IQvUiContext* pContext = nullptr;
    ASSERT_EQ(S_OK, qvclient::MakeWorkflowContext(pFlowObject, &pContext));

    IUnknown* pFlow = nullptr;
    ASSERT_EQ(S_OK, pContext->GetFlowItem(&pFlow));
    IQvUiFlowItem* pFlowItem = Query<IQvUiFlowItem>(pFlow);
    ASSERT_NE(nullptr, pFlowItem);
    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, pFlowItem->GetAttachedItems(&var));
    std::vector<IUnknownPtr> items;
    ASSERT_EQ(S_OK, qvclient::ReadUnknownArray(var, items));
    VariantClear(&var);
    std::vector<LONG> ids;
    std::vector<std::wstring> classes;
    for (IUnknown* pItem : items) {
        IQvUiFlowItem* pAsFlow = Query<IQvUiFlowItem>(pItem);
        EXPECT_NE(nullptr, pAsFlow);
        if (pAsFlow != nullptr)
            pAsFlow->Release();
        IQvUiItem* pUiItem = Query<IQvUiItem>(pItem);
        ASSERT_NE(nullptr, pUiItem);
        IQvUiObject* pUiObject = nullptr;
        ASSERT_EQ(S_OK, pUiItem->GetUiObject(&pUiObject));
        IQvOtlObject* pObject = nullptr;
        ASSERT_EQ(S_OK, pUiObject->GetOtlObject(&pObject));
        const COtlObjectRef ref(pObject);
        ids.push_back(static_cast<LONG>(ref.GetID()));
        BSTR bstr = nullptr;
        ref.GetClassNameW(&bstr);
        classes.push_back(bstr);
        SysFreeString(bstr);
        pObject->Release();
        pUiObject->Release();
        pUiItem->Release();
    }
    EXPECT_EQ((std::vector<LONG>{m_docB, m_part, m_docB}), ids);
    EXPECT_EQ((std::vector<std::wstring>{L"Document", L"Part", L"Document"}), classes);

    pFlowItem->Release();
    pFlow->Release();
    pContext->Release();
    pFlowObject->Release();
}

TEST_F(UiContextTest, AWorkflowItemWithoutAttachmentsGivesAnEmptyArray)
{
    const LONG flow = m_folder.Builder().AddWorkflowItem(L"empty");
    IQvOtlObject* pFlowObject = Open(L"WorkflowItem", flow);
    IQvUiContext* pContext = nullptr;
    ASSERT_EQ(S_OK, qvclient::MakeWorkflowContext(pFlowObject, &pContext));
    IUnknown* pFlow = nullptr;
    ASSERT_EQ(S_OK, pContext->GetFlowItem(&pFlow));
    IQvUiFlowItem* pFlowItem = Query<IQvUiFlowItem>(pFlow);
    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, pFlowItem->GetAttachedItems(&var));
    EXPECT_EQ(VT_ARRAY | VT_UNKNOWN, var.vt);
    std::vector<IUnknownPtr> items;
    ASSERT_EQ(S_OK, qvclient::ReadUnknownArray(var, items));
    EXPECT_TRUE(items.empty());
    VariantClear(&var);
    pFlowItem->Release();
    pFlow->Release();
    pContext->Release();
    pFlowObject->Release();
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
