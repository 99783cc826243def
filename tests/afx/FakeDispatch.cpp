#include "FakeDispatch.h"

#include <comdef.h>
#include <objbase.h>

#include <comkit/ClassFactory.h>

STDMETHODIMP FakeViewer::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT*)
{
    InvokeRecord record = {dispIdMember, wFlags, {}, {}, pDispParams->cNamedArgs,
        pDispParams->cNamedArgs > 0 ? pDispParams->rgdispidNamedArgs[0] : 0};
    // rgvarg holds the arguments last first.
    for (UINT i = pDispParams->cArgs; i-- > 0;) {
        VARIANT& arg = pDispParams->rgvarg[i];
        record.argTypes.push_back(arg.vt);
        _variant_t text;
        record.args.push_back(SUCCEEDED(VariantChangeType(&text, &arg, 0, VT_BSTR)) ? V_BSTR(&text) : L"?");
    }
    s_calls.push_back(record);

    switch (dispIdMember) {
    case DISPID_RETURNS_TEXT:
        if (pVarResult != NULL) {
            pVarResult->vt = VT_BSTR;
            pVarResult->bstrVal = SysAllocString(L"text result");
        }
        return S_OK;
    case DISPID_RETURNS_NUMBER:
        if (pVarResult != NULL) {
            pVarResult->vt = VT_I4;
            pVarResult->lVal = 1234;
        }
        return S_OK;
    case DISPID_FAILS:
        return DISP_E_MEMBERNOTFOUND;
    case DISPID_RAISES:
        if (pExcepInfo != NULL) {
            pExcepInfo->wCode = 1001;
            pExcepInfo->bstrSource = SysAllocString(L"FakeViewer");
            pExcepInfo->bstrDescription = SysAllocString(L"viewer is busy");
            pExcepInfo->scode = E_FAIL;
        }
        return static_cast<HRESULT>(0x80020009L); // DISP_E_EXCEPTION
    default:
        return S_OK;
    }
}

FakeViewerRegistration::FakeViewerRegistration()
{
    CoInitialize(NULL);
    IClassFactory* pFactory = new comkit::ClassFactory(
        [](REFIID riid, void** ppv) { return comkit::CreateComObject<FakeViewer>(riid, ppv); });
    pFactory->AddRef();
    CoRegisterClassObject(CLSID_FakeViewer, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_dwCookie);
    pFactory->Release();
    FakeViewer::s_calls.clear();
}

FakeViewerRegistration::~FakeViewerRegistration()
{
    CoRevokeClassObject(m_dwCookie);
    CoUninitialize();
}
