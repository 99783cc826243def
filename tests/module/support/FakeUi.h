// The client's user-interface context as fakes: command window and its ancestors, view frames,
// views, items, workflow items. Each step can fail or give nothing.
#pragma once

#include <vector>

#include <QvInterfaces.h>

#include "ClientFolder.h"
#include "ComFake.h"

namespace moduletest {

class FakeUiObject : public FakeUnknown<IQvUiObject> {
public:
    STDMETHODIMP GetOtlObject(IQvOtlObject** ppObject) override { return HandOut(object, ppObject, result); }

    IQvOtlObject* object = nullptr; // not owned; must outlive the fake
    HRESULT result = S_OK;
};

class FakeUiItem : public FakeUnknown<IQvUiItem> {
public:
    STDMETHODIMP GetUiObject(IQvUiObject** ppUiObject) override { return HandOut(uiObject, ppUiObject, result); }

    FakeRef<FakeUiObject> uiObject;
    HRESULT result = S_OK;
};

class FakeUiView : public FakeUnknown<IQvUiTreeView> {
public:
    STDMETHODIMP GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) override;

    FakeRef<FakeUiItem> item;
    HRESULT result = S_OK;
    bool isTree = true;
    std::vector<LONG> indexes;

private:
    HRESULT QueryOther(REFIID iid, void** ppv) override;
    HRESULT Refusal(REFIID iid) override;
};

class FakeUiWindow : public FakeUnknown<IQvUiWindow, IQvUiViewFrame> {
public:
    STDMETHODIMP GetHwnd(HWND* phWnd) override;
    STDMETHODIMP GetParentWindow(IQvUiWindow** ppParent) override { return HandOut(parent, ppParent, parentResult); }
    STDMETHODIMP GetView(IQvUiView** ppView) override { return HandOut(view, ppView, viewResult); }

    FakeRef<FakeUiWindow> parent;
    HRESULT parentResult = S_OK;
    bool isFrame = false;
    HRESULT frameQueryFailure = E_NOINTERFACE; // when not a frame
    FakeRef<FakeUiView> view;
    HRESULT viewResult = S_OK;
    int frameQueries = 0;

private:
    HRESULT Refusal(REFIID iid) override;
};

class FakeFlowItem : public FakeUnknown<IQvUiFlowItem> {
public:
    STDMETHODIMP GetAttachedItems(VARIANT* pvarItems) override;

    std::vector<IUnknown*> attached; // not owned
};

class FakeUiContext : public FakeUnknown<IQvUiContext> {
public:
    STDMETHODIMP GetCommandWindow(IQvUiWindow** ppWindow) override
    {
        return HandOut(commandWindow, ppWindow, windowResult);
    }
    STDMETHODIMP GetFlowItem(IUnknown** ppFlowItem) override { return HandOut(flowItem, ppFlowItem, flowItemResult); }

    FakeRef<FakeUiWindow> commandWindow;
    HRESULT windowResult = S_OK;
    IUnknown* flowItem = nullptr; // not owned
    HRESULT flowItemResult = S_OK;
};

// A document list: command window -> frame (parent) -> view -> item -> object.
struct FakeListUi {
    explicit FakeListUi(IQvOtlObject* object);

    FakeRef<FakeUiContext> context;
    FakeRef<FakeUiWindow> commandWindow;
    FakeRef<FakeUiWindow> frame;
    FakeRef<FakeUiView> view;
    FakeRef<FakeUiItem> item;
    FakeRef<FakeUiObject> uiObject;
};

// Opens the client on one document without light files, shown to a user who may output files:
// the object a document list hands its commands.
IQvOtlObjectPtr OpenListedDocument(viztest::ClientFolder& client);

} // namespace moduletest
