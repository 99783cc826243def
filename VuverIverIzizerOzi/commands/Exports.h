// The module's exported commands, bound to the client's menus by name.
#pragma once

#include <afxwin.h>

#include <QvInterfaces.h>

extern "C" {
__declspec(dllexport) HRESULT OnDocListDownLoadLightFile(IQvUiContext* pContext);
__declspec(dllexport) HRESULT OnDocListViewDwgFile(IQvUiContext* pContext);
__declspec(dllexport) HRESULT OnDocListViewLightFile(IQvUiContext* pContext);
// Also exported as PrdTreeOutputLightFile (see VuverIverIzizerOzi.def).
__declspec(dllexport) HRESULT OutputLightFile(IQvUiContext* pContext);
__declspec(dllexport) LONG SignPdf(ULONG nDocID, LPCWSTR lpszClassName, LONG nRevID, LPCWSTR lpszPdfPath);
__declspec(dllexport) HRESULT WfOutputLightFile(IQvUiContext* pContext);
}
