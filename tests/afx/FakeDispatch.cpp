#include "FakeDispatch.h"

#include <objbase.h>

std::vector<InvokeRecord>& FakeViewer::Calls()
{
    static std::vector<InvokeRecord> calls;
    return calls;
}

LONG& FakeViewer::LiveObjects()
{
    static LONG nLive = 0;
    return nLive;
}

STDMETHODIMP FakeViewer::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeViewer::Release()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP FakeViewer::GetTypeInfoCount(UINT* pctinfo)
{
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP FakeViewer::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    *ppTInfo = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP FakeViewer::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP FakeViewer::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT*)
{
    InvokeRecord record = {dispIdMember, wFlags, {}, {}, pDispParams->cNamedArgs,
        pDispParams->cNamedArgs > 0 ? pDispParams->rgdispidNamedArgs[0] : 0};
    // rgvarg holds the arguments last first.
    for (UINT i = pDispParams->cArgs; i-- > 0;) {
        const VARIANT& arg = pDispParams->rgvarg[i];
        record.argTypes.push_back(arg.vt);
        if (arg.vt == VT_BSTR)
            record.args.push_back(arg.bstrVal != NULL ? arg.bstrVal : L"");
        else if (arg.vt == VT_I4)
            record.args.push_back(std::to_wstring(arg.lVal));
        else if (arg.vt == VT_I2)
            record.args.push_back(std::to_wstring(arg.iVal));
        else if (arg.vt == VT_BOOL)
            record.args.push_back(arg.boolVal ? L"true" : L"false");
        else
            record.args.push_back(L"?");
    }
    Calls().push_back(record);

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

namespace {

class FakeViewerFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (pUnkOuter != NULL)
            return CLASS_E_NOAGGREGATION;
        FakeViewer* pViewer = new FakeViewer;
        HRESULT hr = pViewer->QueryInterface(riid, ppv);
        pViewer->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

FakeViewerFactory g_factory;

} // namespace

FakeViewerRegistration::FakeViewerRegistration()
{
    CoInitialize(NULL);
    CoRegisterClassObject(CLSID_FakeViewer, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_dwCookie);
    FakeViewer::Calls().clear();
}

FakeViewerRegistration::~FakeViewerRegistration()
{
    CoRevokeClassObject(m_dwCookie);
    CoUninitialize();
}
