#include "FakeUi.h"

#include <comdef.h>

#include "FakeErrorService.h"

namespace moduletest {

STDMETHODIMP FakeUiObject::GetOtlObject(IQvOtlObject** ppObject)
{
    *ppObject = object;
    if (object)
        object->AddRef();
    return result;
}

void* FakeUiObject::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiObject))
        return static_cast<IQvUiObject*>(this);
    return nullptr;
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

void* FakeUiItem::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiItem))
        return static_cast<IQvUiItem*>(this);
    return nullptr;
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

void* FakeUiView::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiView))
        return static_cast<IQvUiView*>(this);
    if (iid == __uuidof(IQvUiTreeView) && isTree)
        return static_cast<IQvUiTreeView*>(this);
    return nullptr;
}

STDMETHODIMP FakeUiWindow::GetHwnd(HWND* phWnd)
{
    *phWnd = hwnd;
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

void* FakeUiWindow::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiWindow))
        return static_cast<IQvUiWindow*>(this);
    if (iid == __uuidof(IQvUiViewFrame)) {
        ++frameQueries;
        if (isFrame)
            return static_cast<IQvUiViewFrame*>(this);
    }
    return nullptr;
}

HRESULT FakeUiWindow::MissingInterface(REFIID iid)
{
    return iid == __uuidof(IQvUiViewFrame) ? frameQueryFailure : E_NOINTERFACE;
}

HRESULT FakeUiView::MissingInterface(REFIID iid)
{
    return iid == __uuidof(IQvUiTreeView) ? treeQueryFailure : E_NOINTERFACE;
}

STDMETHODIMP FakeFlowItem::GetAttachedItems(VARIANT* pvarItems)
{
    *pvarItems = MakeUnknownArray(attached);
    return S_OK;
}

void* FakeFlowItem::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiFlowItem))
        return static_cast<IQvUiFlowItem*>(this);
    return nullptr;
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

void* FakeUiContext::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiContext))
        return static_cast<IQvUiContext*>(this);
    return nullptr;
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

} // namespace moduletest
