#include "FakeUi.h"

#include <comdef.h>

#include "com/UnknownArray.h"

namespace moduletest {

STDMETHODIMP FakeUiView::GetSelectedItem(LONG nIndex, IQvUiItem** ppItem)
{
    indexes.push_back(nIndex);
    return HandOut(item, ppItem, result);
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
