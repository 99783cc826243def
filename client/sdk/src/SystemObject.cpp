#include "SystemObject.h"

namespace qvsdk {

HRESULT CreateSystemObject(IQvPlmSystem** ppSystem)
{
    if (ppSystem == nullptr)
        return E_POINTER;
    *ppSystem = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_QvPlmSystem, nullptr, kClientClassContext, __uuidof(IQvPlmSystem),
        reinterpret_cast<void**>(ppSystem));
    if (SUCCEEDED(hr) && *ppSystem == nullptr)
        hr = E_POINTER;
    return hr;
}

} // namespace qvsdk
