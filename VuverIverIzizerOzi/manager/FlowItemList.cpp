#include "manager/FlowItemList.h"

#include <comdef.h>

HRESULT BuildFlowItemList(VARIANT* pvarItems, CFlowItemList& lstItems)
{
    IQvObjectCollectionPtr spCollection;
    HRESULT hr = CoCreateInstance(CLSID_QvObjectCollection, NULL, CLSCTX_ALL, __uuidof(IQvObjectCollection),
        reinterpret_cast<void**>(&spCollection));
    if (FAILED(hr))
        return hr;

    hr = spCollection->SetVariant(pvarItems);
    if (FAILED(hr))
        return hr;

    ULONG nCount = 0;
    spCollection->GetCount(&nCount);
    for (ULONG nIndex = 0; nIndex < nCount; ++nIndex) {
        IUnknownPtr spItem;
        hr = spCollection->GetItem(nIndex, &spItem);
        if (FAILED(hr))
            return hr;
        // An item that is no workflow item fails the whole list.
        IQvUiFlowItemPtr spFlowItem;
        hr = spItem.QueryInterface(__uuidof(IQvUiFlowItem), &spFlowItem);
        if (FAILED(hr))
            return hr;
        lstItems.push_back(spFlowItem);
    }
    return S_OK;
}
