// User-interface contexts for a selection, as the client hands them to a command. Each context
// answers only the walk the client's own windows allow:
//   document list: command window -> parent frame (IQvUiViewFrame) -> list view (IQvUiView)
//                  -> selected items -> UI object -> IQvOtlObject;
//   product tree:  command window -> pane -> frame (IQvUiViewFrame) -> tree view
//                  (IQvUiTreeView) -> selected item -> UI object -> IQvOtlObject;
//   workflow:      GetFlowItem -> IQvUiFlowItem whose GetAttachedItems gives a VARIANT
//                  (VT_ARRAY | VT_UNKNOWN) of items offering IQvUiItem and IQvUiFlowItem.
// hWndCommand is what the command window's GetHwnd gives (null without a window system).
#pragma once

#include <vector>

#include "QvInterfaces.h"

namespace qvclient {

// The relation whose links attach objects to a workflow item, in order.
inline constexpr const wchar_t* kWorkflowAttachmentRelation = L"WorkflowAttachment";

HRESULT MakeDocumentListContext(const std::vector<IQvOtlObject*>& selection, HWND hWndCommand,
    IQvUiContext** ppContext);
HRESULT MakeDocumentListContext(IQvOtlObject* pSelected, IQvUiContext** ppContext, HWND hWndCommand = nullptr);

HRESULT MakeProductTreeContext(IQvOtlObject* pSelected, IQvUiContext** ppContext, HWND hWndCommand = nullptr);

// The attached items are the objects the flow item's "WorkflowAttachment" links name.
HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, IQvUiContext** ppContext, HWND hWndCommand = nullptr);
// The attached items are the given objects, in order (duplicates stay).
HRESULT MakeWorkflowContext(IQvOtlObject* pFlowItem, const std::vector<IQvOtlObject*>& attached,
    IQvUiContext** ppContext, HWND hWndCommand = nullptr);

} // namespace qvclient
