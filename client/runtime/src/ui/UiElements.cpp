#include "UiElements.h"

#include "com/UnknownArray.h"

namespace qvclient {
namespace {

template <class I>
void AddRefIf(I* p)
{
    if (p != nullptr)
        p->AddRef();
}

template <class I>
void ReleaseIf(I* p)
{
    if (p != nullptr)
        p->Release();
}

template <class I>
HRESULT HandOut(I* p, I** pp)
{
    if (pp == nullptr)
        return E_POINTER;
    *pp = p;
    AddRefIf(p);
    return S_OK;
}

} // namespace

// ---- UiObject ---------------------------------------------------------------------------------

UiObject::UiObject(IQvOtlObject* pObject) : m_pObject(pObject)
{
    AddRefIf(m_pObject);
}

UiObject::~UiObject()
{
    ReleaseIf(m_pObject);
}

STDMETHODIMP UiObject::GetOtlObject(IQvOtlObject** ppObject)
{
    return HandOut(m_pObject, ppObject);
}

// ---- UiItem -----------------------------------------------------------------------------------

UiItem::UiItem(IQvOtlObject* pObject, std::vector<IUnknown*> attached)
    : m_pUiObject(nullptr), m_attached(std::move(attached))
{
    auto* pUiObject = new UiObject(pObject);
    pUiObject->AddRef();
    m_pUiObject = pUiObject;
    for (IUnknown* p : m_attached)
        AddRefIf(p);
}

UiItem::~UiItem()
{
    ReleaseIf(m_pUiObject);
    for (IUnknown* p : m_attached)
        ReleaseIf(p);
}

STDMETHODIMP UiItem::GetUiObject(IQvUiObject** ppUiObject)
{
    return HandOut(m_pUiObject, ppUiObject);
}

STDMETHODIMP UiItem::GetAttachedItems(VARIANT* pvarItems)
{
    return MakeUnknownArray(m_attached, pvarItems);
}

// ---- Selection --------------------------------------------------------------------------------

Selection::Selection(const std::vector<IQvOtlObject*>& objects)
{
    for (IQvOtlObject* pObject : objects) {
        auto* pItem = new UiItem(pObject);
        pItem->AddRef();
        m_items.push_back(pItem);
    }
}

Selection::~Selection()
{
    for (IQvUiItem* p : m_items)
        p->Release();
}

HRESULT Selection::GetSelectedItem(LONG nIndex, IQvUiItem** ppItem) const
{
    if (ppItem == nullptr)
        return E_POINTER;
    *ppItem = nullptr;
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_items.size())
        return E_INVALIDARG;
    return HandOut(m_items[static_cast<size_t>(nIndex)], ppItem);
}

// ---- UiWindow, UiFrameWindow ------------------------------------------------------------------

UiWindow::UiWindow(HWND hWnd, IQvUiWindow* pParent) : m_hWnd(hWnd), m_pParent(pParent)
{
    AddRefIf(m_pParent);
}

UiWindow::~UiWindow()
{
    ReleaseIf(m_pParent);
}

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
    return HandOut(m_pParent, ppParent);
}

UiFrameWindow::UiFrameWindow(IQvUiView* pView) : m_pView(pView)
{
    AddRefIf(m_pView);
}

UiFrameWindow::~UiFrameWindow()
{
    ReleaseIf(m_pView);
}

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
    return HandOut(m_pView, ppView);
}

// ---- UiContext --------------------------------------------------------------------------------

UiContext::UiContext(IQvUiWindow* pCommandWindow, IUnknown* pFlowItem)
    : m_pCommandWindow(pCommandWindow), m_pFlowItem(pFlowItem)
{
    AddRefIf(m_pCommandWindow);
    AddRefIf(m_pFlowItem);
}

UiContext::~UiContext()
{
    ReleaseIf(m_pCommandWindow);
    ReleaseIf(m_pFlowItem);
}

STDMETHODIMP UiContext::GetCommandWindow(IQvUiWindow** ppWindow)
{
    return HandOut(m_pCommandWindow, ppWindow);
}

STDMETHODIMP UiContext::GetFlowItem(IUnknown** ppFlowItem)
{
    if (ppFlowItem == nullptr)
        return E_POINTER;
    *ppFlowItem = nullptr;
    if (m_pFlowItem == nullptr)
        return E_NOINTERFACE;
    return HandOut(m_pFlowItem, ppFlowItem);
}

} // namespace qvclient
