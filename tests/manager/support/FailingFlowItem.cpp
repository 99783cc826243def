#include "FailingFlowItem.h"

namespace managertest {

FailingFlowItem::FailingFlowItem(HRESULT hrGetUiObject) : m_hr(hrGetUiObject) {}

STDMETHODIMP FailingFlowItem::QueryInterface(REFIID iid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(IQvUiFlowItem))
        *ppv = static_cast<IQvUiFlowItem*>(this);
    else if (iid == __uuidof(IQvUiItem))
        *ppv = static_cast<IQvUiItem*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FailingFlowItem::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) FailingFlowItem::Release()
{
    const ULONG n = --m_refs;
    if (n == 0)
        delete this;
    return n;
}

STDMETHODIMP FailingFlowItem::GetAttachedItems(VARIANT* pvarItems)
{
    VariantInit(pvarItems);
    return S_OK;
}

STDMETHODIMP FailingFlowItem::GetUiObject(IQvUiObject** ppUiObject)
{
    ++calls;
    *ppUiObject = nullptr;
    return m_hr;
}

} // namespace managertest
