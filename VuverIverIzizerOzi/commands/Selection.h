// Finding the object a command was invoked on, through the client's user-interface context.
#pragma once

#include <afxwin.h>

#include <QvInterfaces.h>

// Document list: the first selected object and the user's "OutputFile" right on it. On success
// bAllowed tells whether the command may go on; spCommandWindow is the command window.
HRESULT GetListSelection(IQvUiContext* pContext, IQvUiWindowPtr& spCommandWindow, IQvOtlObjectPtr& spObject,
    BOOL& bAllowed);

// Product tree: the object selected in the nearest ancestor view of the command window; spObject
// stays null when there is none.
HRESULT GetTreeSelection(IQvUiContext* pContext, IQvOtlObjectPtr& spObject);
