#include "FakeDispatch.h"

#include <objbase.h>

#include <comkit/ClassFactory.h>

STDMETHODIMP FakeViewer::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT*, EXCEPINFO* pExcepInfo, UINT*)
{
    InvokeRecord record = {dispIdMember, wFlags, {}};
    // rgvarg holds the arguments last first.
    for (UINT i = pDispParams->cArgs; i-- > 0;)
        record.args.push_back(pDispParams->rgvarg[i].vt == VT_BSTR ? pDispParams->rgvarg[i].bstrVal : L"?");
    s_calls.push_back(record);

    switch (dispIdMember) {
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
