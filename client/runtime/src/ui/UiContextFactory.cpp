#include "qvclient/UiContext.h"

#include "com/UnknownArray.h"
#include "ui/UiElements.h"

namespace qvclient {
namespace {

// Takes the new object's first reference and hands it to *pp.
template <class T, class I>
HRESULT Finish(T* pObject, REFIID riid, I** pp)
{
    pObject->AddRef();
    const HRESULT hr = pObject->QueryInterface(riid, reinterpret_cast<void**>(pp));
    pObject->Release();
    return hr;
}

HRESULT MakeContext(IQvUiWindow* pCommandWindow, IUnknown* pFlowItem, IQvUiContext** ppContext)
{
    return Finish(new UiContext(pCommandWindow, pFlowItem), __uuidof(IQvUiContext), ppContext);
}

} // namespace

HRESULT MakeDocumentListContext(const std::vector<IQvOtlObject*>& selection, HWND hWndCommand,
    IQvUiContext** ppContext)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    IQvUiView* pView = nullptr;
    Finish(new ListView(selection), __uuidof(IQvUiView), &pView);
    IQvUiWindow* pFrame = nullptr;
    Finish(new UiFrameWindow(pView), __uuidof(IQvUiWindow), &pFrame);
    IQvUiWindow* pCommand = nullptr;
    Finish(new UiWindow(hWndCommand, pFrame), __uuidof(IQvUiWindow), &pCommand);
    const HRESULT hr = MakeContext(pCommand, nullptr, ppContext);
    pCommand->Release();
    pFrame->Release();
    pView->Release();
    return hr;
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
    IQvUiView* pView = nullptr;
    Finish(new TreeView({pSelected}), __uuidof(IQvUiView), &pView);
    IQvUiWindow* pFrame = nullptr;
    Finish(new UiFrameWindow(pView), __uuidof(IQvUiWindow), &pFrame);
    // The tree sits in a pane of the frame: the walk has to climb past it.
    IQvUiWindow* pPane = nullptr;
    Finish(new UiWindow(nullptr, pFrame), __uuidof(IQvUiWindow), &pPane);
    IQvUiWindow* pCommand = nullptr;
    Finish(new UiWindow(hWndCommand, pPane), __uuidof(IQvUiWindow), &pCommand);
    const HRESULT hr = MakeContext(pCommand, nullptr, ppContext);
    pCommand->Release();
    pPane->Release();
    pFrame->Release();
    pView->Release();
    return hr;
}

HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, const std::vector<IQvOtlObject*>& attached,
    IQvUiContext** ppContext, HWND hWndCommand)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    std::vector<IUnknown*> items;
    for (IQvOtlObject* pObject : attached) {
        IUnknown* pItem = nullptr;
        Finish(new UiItem(pObject), IID_IUnknown, &pItem);
        items.push_back(pItem);
    }
    IUnknown* pFlow = nullptr;
    Finish(new UiItem(pFlowItem, items), IID_IUnknown, &pFlow);
    for (IUnknown* p : items)
        p->Release();
    IQvUiWindow* pCommand = nullptr;
    Finish(new UiWindow(hWndCommand, nullptr), __uuidof(IQvUiWindow), &pCommand);
    const HRESULT hr = MakeContext(pCommand, pFlow, ppContext);
    pCommand->Release();
    pFlow->Release();
    return hr;
}

HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, IQvUiContext** ppContext, HWND hWndCommand)
{
    if (ppContext == nullptr)
        return E_POINTER;
    *ppContext = nullptr;
    if (pFlowItem == nullptr)
        return E_POINTER;
    BSTR bstrRelation = SysAllocString(kWorkflowAttachmentRelation);
    VARIANT varObjects;
    VARIANT varLinks;
    VariantInit(&varObjects);
    VariantInit(&varLinks);
    HRESULT hr = pFlowItem->GetRelatedObjects(bstrRelation, 1, &varObjects, &varLinks);
    SysFreeString(bstrRelation);
    std::vector<IUnknown*> items;
    if (SUCCEEDED(hr))
        hr = ReadUnknownArray(varObjects, items);
    VariantClear(&varObjects);
    VariantClear(&varLinks);
    std::vector<IQvOtlObject*> attached;
    for (IUnknown* pItem : items) {
        IQvOtlObject* pObject = nullptr;
        if (SUCCEEDED(hr) && pItem != nullptr)
            hr = pItem->QueryInterface(__uuidof(IQvOtlObject), reinterpret_cast<void**>(&pObject));
        if (pObject != nullptr)
            attached.push_back(pObject);
        if (pItem != nullptr)
            pItem->Release();
    }
    if (SUCCEEDED(hr))
        hr = MakeWorkflowContext(pFlowItem, attached, ppContext, hWndCommand);
    for (IQvOtlObject* p : attached)
        p->Release();
    return hr;
}

} // namespace qvclient
