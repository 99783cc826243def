#include "UiElements.h"

#include "com/UnknownArray.h"

namespace qvclient {
namespace {

// *pp gets a reference of its own to p (none when p is empty).
template <class I>
HRESULT HandOut(I* p, I** pp)
{
    if (pp == nullptr)
        return E_POINTER;
    *pp = p;
    if (p != nullptr)
        p->AddRef();
    return S_OK;
}

} // namespace

// ---- UiObject ---------------------------------------------------------------------------------

UiObject::UiObject(IQvOtlObject* pObject) : m_pObject(pObject) {}

STDMETHODIMP UiObject::GetOtlObject(IQvOtlObject** ppObject)
{
    return HandOut(m_pObject.GetInterfacePtr(), ppObject);
}

// ---- UiItem -----------------------------------------------------------------------------------

UiItem::UiItem(IQvOtlObject* pObject, std::vector<IUnknownPtr> attached)
    : m_pUiObject(static_cast<IQvUiObject*>(new UiObject(pObject))), m_attached(std::move(attached))
{
}

STDMETHODIMP UiItem::GetUiObject(IQvUiObject** ppUiObject)
{
    return HandOut(m_pUiObject.GetInterfacePtr(), ppUiObject);
}

STDMETHODIMP UiItem::GetAttachedItems(VARIANT* pvarItems)
{
    std::vector<IUnknown*> items(m_attached.begin(), m_attached.end());
    return MakeUnknownArray(items, pvarItems);
}

// ---- Selection --------------------------------------------------------------------------------

Selection::Selection(const std::vector<IQvOtlObject*>& objects)
{
    for (IQvOtlObject* pObject : objects)
        m_items.push_back(IQvUiItemPtr(static_cast<IQvUiItem*>(new UiItem(pObject))));
}

HRESULT Selection::GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) const
{
    if (ppItem == nullptr)
        return E_POINTER;
    *ppItem = nullptr;
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_items.size())
        return E_INVALIDARG;
    return HandOut(m_items[static_cast<size_t>(nIndex)].GetInterfacePtr(), ppItem);
}

// ---- UiWindow, UiFrameWindow ------------------------------------------------------------------

UiWindow::UiWindow(HWND hWnd, IQvUiWindow* pParent) : m_hWnd(hWnd), m_pParent(pParent) {}

STDMETHODIMP UiWindow::GetHwnd(HWND* phWnd)
{
    if (phWnd == nullptr)
        return E_POINTER;
    *phWnd = m_hWnd;
    return S_OK;
}

// The top of the chain gives S_OK and no parent.
STDMETHODIMP UiWindow::GetParentWindow(IQvUiWindow** ppParent)
{
    return HandOut(m_pParent.GetInterfacePtr(), ppParent);
}

UiFrameWindow::UiFrameWindow(IQvUiView* pView) : m_pView(pView) {}

STDMETHODIMP UiFrameWindow::GetHwnd(HWND* phWnd)
{
    if (phWnd == nullptr)
        return E_POINTER;
    *phWnd = nullptr;
    return S_OK;
}

STDMETHODIMP UiFrameWindow::GetParentWindow(IQvUiWindow** ppParent)
{
    return HandOut(static_cast<IQvUiWindow*>(nullptr), ppParent);
}

STDMETHODIMP UiFrameWindow::GetView(IQvUiView** ppView)
{
    return HandOut(m_pView.GetInterfacePtr(), ppView);
}

// ---- UiContext --------------------------------------------------------------------------------

UiContext::UiContext(IQvUiWindow* pCommandWindow, IUnknown* pFlowItem)
    : m_pCommandWindow(pCommandWindow), m_pFlowItem(pFlowItem)
{
}

STDMETHODIMP UiContext::GetCommandWindow(IQvUiWindow** ppWindow)
{
    return HandOut(m_pCommandWindow.GetInterfacePtr(), ppWindow);
}

STDMETHODIMP UiContext::GetFlowItem(IUnknown** ppFlowItem)
{
    if (ppFlowItem == nullptr)
        return E_POINTER;
    *ppFlowItem = nullptr;
    if (m_pFlowItem == nullptr)
        return E_NOINTERFACE;
    return HandOut(m_pFlowItem.GetInterfacePtr(), ppFlowItem);
}

} // namespace qvclient
