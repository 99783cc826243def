// The class object of the watermark component, its registration and the watermark text.
#include "qvclient/Watermark.h"

#include "PdfWatermark.h"

#include <ctime>
#include <mutex>
#include <pwd.h>
#include <unistd.h>

#include <win32host/Trace.h>

namespace qvclient {
namespace {

class CWatermarkFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // The one factory lives as long as the process.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        CPdfWatermark* pObject = new CPdfWatermark();
        pObject->AddRef();
        const HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

struct WatermarkState {
    std::mutex mutex;
    std::wstring text;
    DWORD cookie = 0;
};

WatermarkState& State()
{
    static WatermarkState state;
    return state;
}

std::wstring DefaultText()
{
    std::string user;
    if (const passwd* entry = getpwuid(geteuid()))
        user = entry->pw_name;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return win32host::FromUtf8(user.empty() ? std::string(date) : user + " " + date);
}

} // namespace

HRESULT RegisterWatermarkClass()
{
    static CWatermarkFactory factory;
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.cookie != 0)
        return S_OK;
    return CoRegisterClassObject(CLSID_QvPdfWatermark, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &state.cookie);
}

void RevokeWatermarkClass()
{
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.cookie != 0)
        CoRevokeClassObject(state.cookie);
    state.cookie = 0;
}

void SetWatermarkText(const std::wstring& text)
{
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.text = text;
}

std::wstring GetWatermarkText()
{
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.text.empty() ? DefaultText() : state.text;
}

} // namespace qvclient
