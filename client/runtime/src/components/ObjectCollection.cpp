#include "ObjectCollection.h"

#include "com/UnknownArray.h"

namespace qvclient {

STDMETHODIMP ObjectCollection::SetVariant(VARIANT* pvarItems)
{
    if (pvarItems == nullptr)
        return E_POINTER;
    std::vector<IUnknownPtr> items;
    const HRESULT hr = ReadUnknownArray(*pvarItems, items);
    if (FAILED(hr))
        return hr;
    m_items = std::move(items);
    return S_OK;
}

STDMETHODIMP ObjectCollection::GetCount(ULONG* pnCount)
{
    if (pnCount == nullptr)
        return E_POINTER;
    *pnCount = static_cast<ULONG>(m_items.size());
    return S_OK;
}

STDMETHODIMP ObjectCollection::GetItem(ULONG nIndex, IUnknown** ppItem)
{
    if (ppItem == nullptr)
        return E_POINTER;
    *ppItem = nullptr;
    if (nIndex >= m_items.size())
        return DISP_E_BADINDEX;
    *ppItem = m_items[nIndex];
    if (*ppItem != nullptr)
        (*ppItem)->AddRef();
    return S_OK;
}

} // namespace qvclient
