// The workflow items attached to a workflow item, in collection order.
#pragma once

#include <list>

#include <afxwin.h>

#include <QvInterfaces.h>

// Each element holds its own reference; copying a list adds one per element.
typedef std::list<IQvUiFlowItemPtr> CFlowItemList;

// Appends the items of the attached-items VARIANT to lstItems. The items appended before a
// failure stay in the list.
HRESULT BuildFlowItemList(VARIANT* pvarItems, CFlowItemList& lstItems);
