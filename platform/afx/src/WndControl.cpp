// ActiveX control containment on CWnd: creating a control in an "AtlAxWin" host window and
// calling its automation members.
#include <afxdisp.h>
#include <atlhost.h>

#include <cstring>
#include <vector>

#include "OccManager.h"

#ifndef DISP_E_EXCEPTION
#define DISP_E_EXCEPTION _HRESULT_TYPEDEF_(0x80020009L)
#endif

namespace {

const wchar_t kAxHostClass[] = L"AtlAxWin";

} // namespace

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    // The host creates the control fresh: there is no saved state or licence to hand over.
    if (pPersist != NULL || bstrLicKey != NULL)
        return FALSE;
    ::AtlAxWinInit();
    wchar_t szClsid[40];
    if (::StringFromGUID2(clsid, szClsid, _countof(szClsid)) == 0)
        return FALSE;
    HWND hWndParent = pParentWnd != NULL ? pParentWnd->m_hWnd : NULL;
    HMENU hMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : NULL;
    HWND hWnd = ::CreateWindowExW(0, kAxHostClass, szClsid, dwStyle, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, hWndParent, hMenu, AfxGetInstanceHandle(), NULL);
    if (hWnd == NULL)
        return FALSE;
    // A host whose control could not be made is no control.
    IUnknown* pUnknown = NULL;
    if (FAILED(::AtlAxGetControl(hWnd, &pUnknown)) || pUnknown == NULL) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    pUnknown->Release();
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

IUnknown* CWnd::GetControlUnknown()
{
    if (m_hWnd == NULL)
        return NULL;
    IUnknown* pUnknown = NULL;
    if (FAILED(::AtlAxGetControl(m_hWnd, &pUnknown)) || pUnknown == NULL)
        return NULL;
    // The host window keeps its reference for as long as it lives.
    pUnknown->Release();
    return pUnknown;
}

namespace {

[[noreturn]] void ThrowDispatchException(EXCEPINFO& excepInfo)
{
    if (excepInfo.pfnDeferredFillIn != NULL)
        (*excepInfo.pfnDeferredFillIn)(&excepInfo);
    COleDispatchException* pException =
        new COleDispatchException(excepInfo.bstrDescription, excepInfo.dwHelpContext, excepInfo.wCode);
    pException->m_scError = excepInfo.scode;
    pException->m_strSource = excepInfo.bstrSource;
    pException->m_strHelpFile = excepInfo.bstrHelpFile;
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrHelpFile);
    throw pException;
}

void FreeArguments(std::vector<VARIANT>& args)
{
    for (VARIANT& arg : args)
        ::VariantClear(&arg);
}

} // namespace

// Methods with VTS_BSTR arguments and no result: what the module calls. Any other argument
// code or result type raises an invalid-argument exception instead of being passed on.
void CWnd::InvokeHelperV(
    DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* /* pvRet */, const BYTE* pbParamInfo, va_list argList)
{
    if (vtRet != VT_EMPTY || wFlags != DISPATCH_METHOD)
        AfxThrowInvalidArgException();
    IUnknown* pUnknown = GetControlUnknown();
    if (pUnknown == NULL)
        AfxThrowOleException(E_NOINTERFACE);
    IDispatch* pDispatch = NULL;
    HRESULT hr = pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
    if (FAILED(hr) || pDispatch == NULL)
        AfxThrowOleException(FAILED(hr) ? hr : E_NOINTERFACE);

    // Automation takes the arguments last first.
    size_t nArgs = pbParamInfo != NULL ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    std::vector<VARIANT> args(nArgs); // zeroed: VT_EMPTY
    va_list argsLeft;
    va_copy(argsLeft, argList);
    for (size_t i = 0; i < nArgs; ++i) {
        if (pbParamInfo[i] != VT_BSTR) {
            va_end(argsLeft);
            FreeArguments(args);
            pDispatch->Release();
            AfxThrowInvalidArgException();
        }
        LPCOLESTR lpsz = va_arg(argsLeft, LPCOLESTR);
        VARIANT& arg = args[nArgs - 1 - i];
        arg.bstrVal = ::SysAllocString(lpsz);
        if (lpsz != NULL && arg.bstrVal == NULL) {
            va_end(argsLeft);
            FreeArguments(args);
            pDispatch->Release();
            AfxThrowMemoryException();
        }
        arg.vt = VT_BSTR;
    }
    va_end(argsLeft);
    DISPPARAMS dispparams = {};
    dispparams.cArgs = static_cast<UINT>(nArgs);
    dispparams.rgvarg = nArgs > 0 ? args.data() : NULL;

    EXCEPINFO excepInfo = {};
    UINT nArgErr = static_cast<UINT>(-1);
    hr = pDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &dispparams, NULL, &excepInfo, &nArgErr);
    FreeArguments(args);
    pDispatch->Release();
    if (FAILED(hr)) {
        if (hr == DISP_E_EXCEPTION)
            ThrowDispatchException(excepInfo);
        AfxThrowOleException(hr);
    }
}

void AFX_CDECL CWnd::InvokeHelper(
    DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void AFXAPI AfxEnableControlContainer(COccManager* pOccManager)
{
    static COccManager defaultOccManager;
    ::AtlAxWinInit();
    AfxGetModuleState()->m_pOccManager = pOccManager != NULL ? pOccManager : &defaultOccManager;
}
