// The product-tree and workflow commands: open the light file manager on their source.
#include "commands/Exports.h"

#include <comdef.h>

#include <ComRef.h>

#include "commands/Selection.h"
#include "manager/DocumentSelectDlg.h"
#include "manager/FlowItemList.h"

HRESULT OutputLightFile(IQvUiContext* pContext)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());

    IQvOtlObjectPtr spObject;
    HRESULT hr = GetTreeSelection(pContext, spObject);
    if (FAILED(hr) || spObject == NULL)
        return hr;

    COtlObjectRef objRoot(spObject);
    {
        CDocumentSelectDlg dlg;
        dlg.m_pRootObject = &objRoot;
        dlg.DoModal();
    }
    return S_OK;
}

HRESULT WfOutputLightFile(IQvUiContext* pContext)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());

    IUnknownPtr spFlowObject;
    HRESULT hr = pContext->GetFlowItem(&spFlowObject);
    if (FAILED(hr))
        return hr;

    IQvUiFlowItemPtr spFlowItem(spFlowObject);
    _variant_t varAttached;
    spFlowItem->GetAttachedItems(&varAttached);

    CFlowItemList lstFlowItems;
    hr = BuildFlowItemList(&varAttached, lstFlowItems);
    if (FAILED(hr))
        return hr;

    {
        CDocumentSelectDlg dlg;
        dlg.m_lstFlowItems = lstFlowItems;
        dlg.DoModal();
    }
    return S_OK;
}
