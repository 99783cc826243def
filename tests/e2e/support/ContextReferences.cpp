#include "ContextReferences.h"

#include <comdef.h>

namespace e2e {

namespace {

template <class I>
I* Query(IUnknown* pObject)
{
    I* p = nullptr;
    if (pObject)
        pObject->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&p));
    return p;
}

} // namespace

ContextReferences::ContextReferences(IQvUiContext* pContext)
{
    pContext->AddRef();
    Add("context", pContext);

    IQvUiWindow* pWindow = nullptr;
    pContext->GetCommandWindow(&pWindow);
    for (int level = 0; pWindow != nullptr; ++level) {
        const std::string name = "window " + std::to_string(level);
        Add(name, pWindow);
        if (IQvUiViewFrame* pFrame = Query<IQvUiViewFrame>(pWindow)) {
            IQvUiView* pView = nullptr;
            pFrame->GetView(&pView);
            pFrame->Release();
            if (pView) {
                Add(name + " / view", pView);
                IQvUiItem* pItem = nullptr;
                for (LONG index = 0; SUCCEEDED(pView->GetSelectedItem(index, &pItem)) && pItem; ++index)
                    AddItem(name + " / item " + std::to_string(index), pItem);
            }
        }
        IQvUiWindow* pParent = nullptr;
        pWindow->GetParentWindow(&pParent);
        pWindow = pParent;
    }

    IUnknown* pFlow = nullptr;
    if (SUCCEEDED(pContext->GetFlowItem(&pFlow)) && pFlow) {
        IQvUiFlowItem* pFlowItem = Query<IQvUiFlowItem>(pFlow);
        pFlow->Release();
        if (pFlowItem) {
            _variant_t attached;
            pFlowItem->GetAttachedItems(&attached);
            AddItem("flow item", Query<IQvUiItem>(pFlowItem));
            Add("flow item / flow", pFlowItem);
            if (attached.vt == (VT_ARRAY | VT_UNKNOWN) && attached.parray) {
                IUnknown** ppItems = nullptr;
                SafeArrayAccessData(attached.parray, reinterpret_cast<void**>(&ppItems));
                const ULONG count = attached.parray->rgsabound[0].cElements;
                for (ULONG i = 0; i < count; ++i)
                    AddItem("attached " + std::to_string(i), Query<IQvUiItem>(ppItems[i]));
                SafeArrayUnaccessData(attached.parray);
            }
        }
    }
}

void ContextReferences::AddItem(const std::string& name, IQvUiItem* pItem)
{
    if (!pItem)
        return;
    Add(name, pItem);
    IQvUiObject* pUiObject = nullptr;
    pItem->GetUiObject(&pUiObject);
    if (!pUiObject)
        return;
    Add(name + " / ui object", pUiObject);
    IQvOtlObject* pObject = nullptr;
    pUiObject->GetOtlObject(&pObject);
    if (pObject)
        Add(name + " / object", pObject);
}

void ContextReferences::Add(const std::string& name, IUnknown* pObject)
{
    m_objects[name] = pObject;
}

ContextReferences::~ContextReferences()
{
    for (auto& [name, pObject] : m_objects)
        pObject->Release();
}

std::map<std::string, ULONG> ContextReferences::Counts() const
{
    std::map<std::string, ULONG> counts;
    for (const auto& [name, pObject] : m_objects) {
        pObject->AddRef();
        counts[name] = pObject->Release();
    }
    return counts;
}

} // namespace e2e
