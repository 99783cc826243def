// The client's user-interface elements behind a context: windows, frames, views, items and the
// UI objects that carry the model objects.
#pragma once

#include <vector>

#include "QvInterfaces.h"
#include <comdef.h>
#include <comkit/ComObject.h>

namespace qvclient {

class UiObject : public comkit::ComObject<IQvUiObject> {
public:
    explicit UiObject(IQvOtlObject* pObject);

    STDMETHODIMP GetOtlObject(IQvOtlObject** ppObject) override;

private:
    IQvOtlObjectPtr m_pObject;
};

// A list or tree item, and a workflow item: its attached items are empty unless given.
class UiItem : public comkit::ComObject<IQvUiItem, IQvUiFlowItem> {
public:
    explicit UiItem(IQvOtlObject* pObject, std::vector<IUnknownPtr> attached = {});

    STDMETHODIMP GetUiObject(IQvUiObject** ppUiObject) override;
    STDMETHODIMP GetAttachedItems(VARIANT* pvarItems) override;

private:
    IQvUiObjectPtr m_pUiObject;
    std::vector<IUnknownPtr> m_attached;
};

// The selected items of a view; index 0 first.
class Selection {
public:
    explicit Selection(const std::vector<IQvOtlObject*>& objects);

    HRESULT GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) const;

private:
    std::vector<IQvUiItemPtr> m_items;
};

class ListView : public comkit::ComObject<IQvUiView> {
public:
    explicit ListView(const std::vector<IQvOtlObject*>& selection) : m_selection(selection) {}
    STDMETHODIMP GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) override
    {
        return m_selection.GetSelectedItem(nIndex, ppItem);
    }

private:
    Selection m_selection;
};

class TreeView : public comkit::ComObject<IQvUiTreeView> {
public:
    explicit TreeView(const std::vector<IQvOtlObject*>& selection) : m_selection(selection) {}
    STDMETHODIMP GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) override
    {
        return m_selection.GetSelectedItem(nIndex, ppItem);
    }

protected:
    HRESULT QueryOther(REFIID riid, void** ppv) override
    {
        if (riid != __uuidof(IQvUiView))
            return E_NOINTERFACE;
        *ppv = static_cast<IQvUiView*>(this);
        return S_OK;
    }

private:
    Selection m_selection;
};

// A window in the parent chain; a frame window also offers IQvUiViewFrame for its view.
class UiWindow : public comkit::ComObject<IQvUiWindow> {
public:
    UiWindow(HWND hWnd, IQvUiWindow* pParent);

    STDMETHODIMP GetHwnd(HWND* phWnd) override;
    STDMETHODIMP GetParentWindow(IQvUiWindow** ppParent) override;

private:
    HWND m_hWnd;
    IQvUiWindowPtr m_pParent;
};

class UiFrameWindow : public comkit::ComObject<IQvUiWindow, IQvUiViewFrame> {
public:
    explicit UiFrameWindow(IQvUiView* pView);

    STDMETHODIMP GetHwnd(HWND* phWnd) override;
    STDMETHODIMP GetParentWindow(IQvUiWindow** ppParent) override;
    STDMETHODIMP GetView(IQvUiView** ppView) override;

private:
    IQvUiViewPtr m_pView;
};

class UiContext : public comkit::ComObject<IQvUiContext> {
public:
    UiContext(IQvUiWindow* pCommandWindow, IUnknown* pFlowItem);

    STDMETHODIMP GetCommandWindow(IQvUiWindow** ppWindow) override;
    STDMETHODIMP GetFlowItem(IUnknown** ppFlowItem) override;

private:
    IQvUiWindowPtr m_pCommandWindow;
    IUnknownPtr m_pFlowItem;
};

} // namespace qvclient
