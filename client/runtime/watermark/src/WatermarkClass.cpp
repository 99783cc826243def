// The class object of the watermark component, its registration and the watermark text.
#include "qvclient/Watermark.h"

#include "LocalUser.h"
#include "PdfWatermark.h"

#include <comdef.h>
#include <comkit/ClassFactory.h>

#include <ctime>
#include <cwchar>
#include <mutex>

#include <winenv/Trace.h>

namespace qvclient {
namespace {

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
    return MakeWatermarkText(winenv::FromUtf8(DesktopUserName()));
}

} // namespace

HRESULT RegisterWatermarkClass()
{
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.cookie != 0)
        return S_OK;
    const IClassFactoryPtr pFactory(new comkit::ClassFactory(
        [](REFIID riid, void** ppv) { return comkit::CreateComObject<CPdfWatermark>(riid, ppv); }));
    return CoRegisterClassObject(
        CLSID_QvPdfWatermark, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &state.cookie);
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

std::wstring MakeWatermarkText(const std::wstring& who)
{
    const std::tm local = LocalTime(std::time(nullptr));
    wchar_t date[16];
    std::wcsftime(date, 16, L"%Y-%m-%d", &local);
    return who.empty() ? std::wstring(date) : who + L" " + date;
}

std::wstring GetWatermarkText()
{
    WatermarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.text.empty() ? DefaultText() : state.text;
}

} // namespace qvclient
