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

// Fills one argument from the variable list as its VTS_ code says.
void TakeArgument(VARIANT* pArg, BYTE vtParam, va_list* pArgList)
{
    VariantInit(pArg);
    if (vtParam & VT_MFCBYREF) {
        pArg->vt = static_cast<VARTYPE>((vtParam & ~VT_MFCBYREF) | VT_BYREF);
        pArg->byref = va_arg(*pArgList, void*);
        return;
    }
    pArg->vt = vtParam;
    switch (vtParam) {
    case VT_UI1:
        pArg->bVal = static_cast<BYTE>(va_arg(*pArgList, int));
        break;
    case VT_UI2:
        pArg->uiVal = static_cast<USHORT>(va_arg(*pArgList, int));
        break;
    case VT_UI4:
        pArg->ulVal = va_arg(*pArgList, ULONG);
        break;
    case VT_UI8:
        pArg->ullVal = va_arg(*pArgList, ULONGLONG);
        break;
    case VT_I1:
        pArg->cVal = static_cast<CHAR>(va_arg(*pArgList, int));
        break;
    case VT_I2:
        pArg->iVal = static_cast<SHORT>(va_arg(*pArgList, int));
        break;
    case VT_I4:
        pArg->lVal = va_arg(*pArgList, LONG);
        break;
    case VT_I8:
        pArg->llVal = va_arg(*pArgList, LONGLONG);
        break;
    case VT_R4:
        pArg->fltVal = static_cast<FLOAT>(va_arg(*pArgList, double));
        break;
    case VT_R8:
        pArg->dblVal = va_arg(*pArgList, double);
        break;
    case VT_DATE:
        pArg->date = va_arg(*pArgList, DATE);
        break;
    case VT_CY:
        pArg->cyVal = *va_arg(*pArgList, CY*);
        break;
    case VT_BSTR: {
        LPCOLESTR lpsz = va_arg(*pArgList, LPCOLESTR);
        pArg->bstrVal = ::SysAllocString(lpsz);
        if (lpsz != NULL && pArg->bstrVal == NULL) {
            pArg->vt = VT_EMPTY;
            AfxThrowMemoryException();
        }
        break;
    }
    case VT_DISPATCH:
        pArg->pdispVal = va_arg(*pArgList, IDispatch*);
        break;
    case VT_ERROR:
        pArg->scode = va_arg(*pArgList, SCODE);
        break;
    case VT_BOOL:
        pArg->boolVal = va_arg(*pArgList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_VARIANT:
        *pArg = *va_arg(*pArgList, const VARIANT*);
        break;
    case VT_UNKNOWN:
        pArg->punkVal = va_arg(*pArgList, IUnknown*);
        break;
    default:
        pArg->vt = VT_EMPTY;
        AfxThrowInvalidArgException();
    }
}

// Frees what TakeArgument allocated: only the BSTRs it made; the rest belongs to the caller.
void FreeArguments(std::vector<VARIANT>& args, const BYTE* pbParamInfo)
{
    size_t nArgs = args.size();
    for (size_t i = 0; i < nArgs; ++i) {
        VARIANT& arg = args[nArgs - 1 - i];
        if (pbParamInfo[i] == VT_BSTR && arg.vt == VT_BSTR)
            ::SysFreeString(arg.bstrVal);
    }
}

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

void StoreResult(VARIANT& vaResult, VARTYPE vtRet, void* pvRet)
{
    switch (vtRet) {
    case VT_UI1:
        *static_cast<BYTE*>(pvRet) = vaResult.bVal;
        break;
    case VT_UI2:
        *static_cast<USHORT*>(pvRet) = vaResult.uiVal;
        break;
    case VT_UI4:
        *static_cast<ULONG*>(pvRet) = vaResult.ulVal;
        break;
    case VT_UI8:
        *static_cast<ULONGLONG*>(pvRet) = vaResult.ullVal;
        break;
    case VT_I1:
        *static_cast<CHAR*>(pvRet) = vaResult.cVal;
        break;
    case VT_I2:
        *static_cast<SHORT*>(pvRet) = vaResult.iVal;
        break;
    case VT_I4:
        *static_cast<LONG*>(pvRet) = vaResult.lVal;
        break;
    case VT_I8:
        *static_cast<LONGLONG*>(pvRet) = vaResult.llVal;
        break;
    case VT_R4:
        *static_cast<FLOAT*>(pvRet) = vaResult.fltVal;
        break;
    case VT_R8:
        *static_cast<DOUBLE*>(pvRet) = vaResult.dblVal;
        break;
    case VT_DATE:
        *static_cast<DATE*>(pvRet) = vaResult.date;
        break;
    case VT_CY:
        *static_cast<CY*>(pvRet) = vaResult.cyVal;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = vaResult.bstrVal;
        ::SysFreeString(vaResult.bstrVal);
        break;
    case VT_DISPATCH:
        *static_cast<IDispatch**>(pvRet) = vaResult.pdispVal;
        break;
    case VT_ERROR:
        *static_cast<SCODE*>(pvRet) = vaResult.scode;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = vaResult.boolVal != VARIANT_FALSE;
        break;
    case VT_VARIANT:
        *static_cast<VARIANT*>(pvRet) = vaResult;
        break;
    case VT_UNKNOWN:
        *static_cast<IUnknown**>(pvRet) = vaResult.punkVal;
        break;
    default:
        ::VariantClear(&vaResult);
        AfxThrowInvalidArgException();
    }
}

} // namespace

void CWnd::InvokeHelperV(
    DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, va_list argList)
{
    IUnknown* pUnknown = GetControlUnknown();
    if (pUnknown == NULL)
        AfxThrowOleException(E_NOINTERFACE);
    IDispatch* pDispatch = NULL;
    HRESULT hr = pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
    if (FAILED(hr) || pDispatch == NULL)
        AfxThrowOleException(FAILED(hr) ? hr : E_NOINTERFACE);

    DISPPARAMS dispparams = {};
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        dispparams.cNamedArgs = 1;
        dispparams.rgdispidNamedArgs = &dispidNamed;
    }

    // Automation takes the arguments last first.
    size_t nArgs = pbParamInfo != NULL ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    std::vector<VARIANT> args(nArgs); // zeroed: VT_EMPTY
    va_list argsLeft;
    va_copy(argsLeft, argList);
    try {
        for (size_t i = 0; i < nArgs; ++i)
            TakeArgument(&args[nArgs - 1 - i], pbParamInfo[i], &argsLeft);
    } catch (...) {
        va_end(argsLeft);
        FreeArguments(args, pbParamInfo); // arguments not taken are still VT_EMPTY
        pDispatch->Release();
        throw;
    }
    va_end(argsLeft);
    dispparams.cArgs = static_cast<UINT>(nArgs);
    dispparams.rgvarg = nArgs > 0 ? args.data() : NULL;

    VARIANT vaResult;
    ::VariantInit(&vaResult);
    EXCEPINFO excepInfo = {};
    UINT nArgErr = static_cast<UINT>(-1);
    hr = pDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &dispparams, vtRet != VT_EMPTY ? &vaResult : NULL,
        &excepInfo, &nArgErr);
    FreeArguments(args, pbParamInfo);
    pDispatch->Release();

    if (FAILED(hr)) {
        ::VariantClear(&vaResult);
        if (hr == DISP_E_EXCEPTION)
            ThrowDispatchException(excepInfo);
        AfxThrowOleException(hr);
    }
    if (vtRet == VT_EMPTY)
        return;
    if (vtRet != VT_VARIANT) {
        hr = ::VariantChangeType(&vaResult, &vaResult, 0, vtRet);
        if (FAILED(hr)) {
            ::VariantClear(&vaResult);
            AfxThrowOleException(hr);
        }
    }
    if (pvRet == NULL) {
        ::VariantClear(&vaResult);
        return;
    }
    StoreResult(vaResult, vtRet, pvRet);
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
