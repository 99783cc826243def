#include "qvclient/UiContext.h"

#include <comdef.h>

#include "com/UnknownArray.h"
#include "ui/UiElements.h"

namespace qvclient {
namespace {

// Makes an object of T; p holds its interface.
template <class T, class Ptr, class... Args>
HRESULT Make(Ptr& p, Args&&... args)
{
    return comkit::CreateComObject<T>(Ptr::GetIID(), reinterpret_cast<void**>(&p), std::forward<Args>(args)...);
}

HRESULT MakeContext(IQvUiWindow* pCommandWindow, IUnknown* pFlowItem, IQvUiContext** ppContext)
{
    return comkit::CreateComObject<UiContext>(
        __uuidof(IQvUiContext), reinterpret_cast<void**>(ppContext), pCommandWindow, pFlowItem);
}

} // namespace

HRESULT MakeDocumentListContext(const std::vector<IQvOtlObject*>& selection, HWND hWndCommand,
    IQvUiContext** ppContext)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    IQvUiViewPtr pView;
    IQvUiWindowPtr pFrame;
    IQvUiWindowPtr pCommand;
    HRESULT hr = Make<ListView>(pView, selection);
    if (SUCCEEDED(hr))
        hr = Make<UiFrameWindow>(pFrame, pView.GetInterfacePtr());
    if (SUCCEEDED(hr))
        hr = Make<UiWindow>(pCommand, hWndCommand, pFrame.GetInterfacePtr());
    return SUCCEEDED(hr) ? MakeContext(pCommand, nullptr, ppContext) : hr;
}

HRESULT MakeDocumentListContext(IQvOtlObject* pSelected, IQvUiContext** ppContext, HWND hWndCommand)
{
    return MakeDocumentListContext(std::vector<IQvOtlObject*>{pSelected}, hWndCommand, ppContext);
}

HRESULT MakeProductTreeContext(IQvOtlObject* pSelected, IQvUiContext** ppContext, HWND hWndCommand)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    IQvUiViewPtr pView;
    IQvUiWindowPtr pFrame;
    IQvUiWindowPtr pPane;
    IQvUiWindowPtr pCommand;
    HRESULT hr = Make<TreeView>(pView, std::vector<IQvOtlObject*>{pSelected});
    if (SUCCEEDED(hr))
        hr = Make<UiFrameWindow>(pFrame, pView.GetInterfacePtr());
    // The tree sits in a pane of the frame: the walk has to climb past it.
    if (SUCCEEDED(hr))
        hr = Make<UiWindow>(pPane, static_cast<HWND>(nullptr), pFrame.GetInterfacePtr());
    if (SUCCEEDED(hr))
        hr = Make<UiWindow>(pCommand, hWndCommand, pPane.GetInterfacePtr());
    return SUCCEEDED(hr) ? MakeContext(pCommand, nullptr, ppContext) : hr;
}

HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, const std::vector<IQvOtlObject*>& attached,
    IQvUiContext** ppContext, HWND hWndCommand)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    HRESULT hr = S_OK;
    std::vector<IUnknownPtr> items;
    for (IQvOtlObject* pObject : attached) {
        IUnknownPtr pItem;
        if (SUCCEEDED(hr))
            hr = Make<UiItem>(pItem, pObject);
        items.push_back(pItem);
    }
    IUnknownPtr pFlow;
    IQvUiWindowPtr pCommand;
    if (SUCCEEDED(hr))
        hr = Make<UiItem>(pFlow, pFlowItem, std::move(items));
    if (SUCCEEDED(hr))
        hr = Make<UiWindow>(pCommand, hWndCommand, static_cast<IQvUiWindow*>(nullptr));
    return SUCCEEDED(hr) ? MakeContext(pCommand, pFlow, ppContext) : hr;
}

HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, IQvUiContext** ppContext, HWND hWndCommand)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    if (pFlowItem == nullptr)
        return E_POINTER;
    _variant_t varObjects;
    _variant_t varLinks;
    HRESULT hr = pFlowItem->GetRelatedObjects(_bstr_t(kWorkflowAttachmentRelation), 1, &varObjects, &varLinks);
    std::vector<IUnknownPtr> items;
    if (SUCCEEDED(hr))
        hr = ReadUnknownArray(varObjects, items);
    std::vector<IQvOtlObjectPtr> attached;
    for (const IUnknownPtr& pItem : items) {
        IQvOtlObject* pObject = nullptr;
        // A failed query's pointer is not ours, whatever it holds.
        if (SUCCEEDED(hr) && pItem != nullptr)
            hr = pItem->QueryInterface(__uuidof(IQvOtlObject), reinterpret_cast<void**>(&pObject));
        if (SUCCEEDED(hr) && pObject != nullptr)
            attached.push_back(IQvOtlObjectPtr(pObject, false));
    }
    if (FAILED(hr))
        return hr;
    std::vector<IQvOtlObject*> objects(attached.begin(), attached.end());
    return MakeWorkflowContext(pFlowItem, objects, ppContext, hWndCommand);
}

} // namespace qvclient
