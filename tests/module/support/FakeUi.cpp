#include "FakeUi.h"

#include <comdef.h>

#include "com/UnknownArray.h"

namespace moduletest {

STDMETHODIMP FakeUiObject::GetOtlObject(IQvOtlObject** ppObject)
{
    *ppObject = object;
    if (object)
        object->AddRef();
    return result;
}

STDMETHODIMP FakeUiItem::GetUiObject(IQvUiObject** ppUiObject)
{
    *ppUiObject = nullptr;
    if (uiObject) {
        uiObject->AddRef();
        *ppUiObject = uiObject.get();
    }
    return result;
}

STDMETHODIMP FakeUiView::GetSelectedItem(LONG nIndex, IQvUiItem** ppItem)
{
    indexes.push_back(nIndex);
    *ppItem = nullptr;
    if (item) {
        item->AddRef();
        *ppItem = item.get();
    }
    return result;
}

HRESULT FakeUiView::QueryOther(REFIID iid, void** ppv)
{
    if (iid != __uuidof(IQvUiView))
        return E_NOINTERFACE;
    *ppv = static_cast<IQvUiView*>(this);
    return S_OK;
}

HRESULT FakeUiView::Refusal(REFIID iid)
{
    return iid == __uuidof(IQvUiTreeView) && !isTree ? E_NOINTERFACE : S_OK;
}

STDMETHODIMP FakeUiWindow::GetHwnd(HWND* phWnd)
{
    *phWnd = nullptr;
    return S_OK;
}

STDMETHODIMP FakeUiWindow::GetParentWindow(IQvUiWindow** ppParent)
{
    *ppParent = nullptr;
    if (parent) {
        parent->AddRef();
        *ppParent = static_cast<IQvUiWindow*>(parent.get());
    }
    return parentResult;
}

STDMETHODIMP FakeUiWindow::GetView(IQvUiView** ppView)
{
    *ppView = nullptr;
    if (view) {
        view->AddRef();
        *ppView = static_cast<IQvUiTreeView*>(view.get());
    }
    return viewResult;
}

HRESULT FakeUiWindow::Refusal(REFIID iid)
{
    if (iid != __uuidof(IQvUiViewFrame))
        return S_OK;
    ++frameQueries;
    return isFrame ? S_OK : frameQueryFailure;
}

STDMETHODIMP FakeFlowItem::GetAttachedItems(VARIANT* pvarItems)
{
    return qvclient::MakeUnknownArray(attached, pvarItems);
}

STDMETHODIMP FakeUiContext::GetCommandWindow(IQvUiWindow** ppWindow)
{
    *ppWindow = nullptr;
    if (commandWindow) {
        commandWindow->AddRef();
        *ppWindow = static_cast<IQvUiWindow*>(commandWindow.get());
    }
    return windowResult;
}

STDMETHODIMP FakeUiContext::GetFlowItem(IUnknown** ppFlowItem)
{
    *ppFlowItem = flowItem;
    if (flowItem)
        flowItem->AddRef();
    return flowItemResult;
}

FakeListUi::FakeListUi(IQvOtlObject* object)
    : context(MakeFake<FakeUiContext>())
    , commandWindow(MakeFake<FakeUiWindow>())
    , frame(MakeFake<FakeUiWindow>())
    , view(MakeFake<FakeUiView>())
    , item(MakeFake<FakeUiItem>())
    , uiObject(MakeFake<FakeUiObject>())
{
    uiObject->object = object;
    item->uiObject = uiObject;
    view->item = item;
    view->isTree = false;
    frame->isFrame = true;
    frame->view = view;
    commandWindow->parent = frame;
    context->commandWindow = commandWindow;
}

IQvOtlObjectPtr OpenListedDocument(viztest::ClientFolder& client)
{
    qvclient::FixtureBuilder& fixture = client.Fixture();
    LONG id = fixture.AddDocumentWithLightFiles(L"Document", L"A-01", L"doc", {}).documentId;
    fixture.GrantRight(fixture.AddUser(L"writer", L"Writer"), L"Documentation", L"OutputFile");
    fixture.SetCurrentUser(L"writer");
    return client.Open() == S_OK ? client.Object(L"Document", id) : nullptr;
}

} // namespace moduletest
