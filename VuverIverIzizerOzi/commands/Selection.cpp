#include "commands/Selection.h"

#include <comdef.h>

#include <ZORRTWrapper.h>

HRESULT GetListSelection(IQvUiContext* pContext, IQvUiWindowPtr& spCommandWindow, IQvOtlObjectPtr& spObject,
    BOOL& bAllowed)
{
    bAllowed = FALSE;

    HRESULT hr = pContext->GetCommandWindow(&spCommandWindow);
    if (FAILED(hr))
        return hr;

    IQvUiWindowPtr spParent;
    hr = spCommandWindow->GetParentWindow(&spParent);
    if (FAILED(hr))
        return hr;

    IQvUiViewFramePtr spFrame(spParent);
    IQvUiViewPtr spView;
    hr = spFrame->GetView(&spView);
    if (FAILED(hr))
        return hr;

    IQvUiItemPtr spItem;
    hr = spView->GetSelectedItem(0, &spItem);
    if (FAILED(hr))
        return hr;

    IQvUiObjectPtr spUiObject;
    hr = spItem->GetUiObject(&spUiObject);
    if (FAILED(hr))
        return hr;

    hr = spUiObject->GetOtlObject(&spObject);
    if (FAILED(hr))
        return hr;

    short bRight = 0;
    hr = CSecurityHelper::CheckObjectBehaviorMethod(spObject, L"Documentation", L"OutputFile", &bRight);
    if (FAILED(hr))
        return hr;
    bAllowed = bRight != 0;
    return hr;
}

HRESULT GetTreeSelection(IQvUiContext* pContext, IQvOtlObjectPtr& spObject)
{
    IQvUiWindowPtr spWindow;
    pContext->GetCommandWindow(&spWindow);

    // The command window sits inside the view's frame: only its ancestors are asked.
    IQvUiViewPtr spView;
    while (spView == NULL) {
        if (spWindow == NULL)
            return S_OK;
        IQvUiWindowPtr spParent;
        HRESULT hr = spWindow->GetParentWindow(&spParent);
        if (FAILED(hr))
            return hr;
        IQvUiViewFramePtr spFrame(spParent);
        if (spFrame != NULL) {
            hr = spFrame->GetView(&spView);
            if (FAILED(hr))
                return hr;
        }
        spWindow = spParent;
    }

    IQvUiTreeViewPtr spTreeView;
    HRESULT hr = spView.QueryInterface(__uuidof(IQvUiTreeView), &spTreeView);
    if (FAILED(hr))
        return hr;

    IQvUiItemPtr spItem;
    spTreeView->GetSelectedItem(0, &spItem);
    IQvUiObjectPtr spUiObject;
    spItem->GetUiObject(&spUiObject);
    spUiObject->GetOtlObject(&spObject);
    return S_OK;
}
