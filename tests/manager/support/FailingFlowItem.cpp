#include "FailingFlowItem.h"

namespace managertest {

FailingFlowItem::FailingFlowItem(HRESULT hrGetUiObject) : m_hr(hrGetUiObject)
{
    AddRef();
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
