#include "SelectionSpec.h"

#include <windows.h>

#include <qvclient/Client.h>
#include <win32host/Trace.h>

namespace plmclient {

bool OpenSelection(const std::wstring& spec, IQvOtlObject** ppObject, std::string& error)
{
    *ppObject = nullptr;
    const size_t colon = spec.rfind(L':');
    const std::wstring cls = colon == std::wstring::npos ? L"" : spec.substr(0, colon);
    const std::wstring id = colon == std::wstring::npos ? L"" : spec.substr(colon + 1);
    if (cls.empty() || id.empty() || id.find_first_not_of(L"0123456789") != std::wstring::npos) {
        error = "a selection is CLASS:ID, for example Part:10 (got \"" + win32host::ToUtf8(spec) + "\")";
        return false;
    }
    HRESULT hr = qvclient::OpenObject(cls.c_str(), _wtoi(id.c_str()), ppObject);
    if (SUCCEEDED(hr) && *ppObject) {
        // Naming an object does not look it up: read its id back to know it is there.
        VARIANT varId;
        VariantInit(&varId);
        hr = (*ppObject)->GetPropertyValue(_bstr_t(L"OBJ_ID"), &varId);
        VariantClear(&varId);
        if (FAILED(hr)) {
            (*ppObject)->Release();
            *ppObject = nullptr;
        }
    }
    if (FAILED(hr) || !*ppObject) {
        wchar_t code[16];
        swprintf_s(code, 16, L"%08X", static_cast<unsigned>(hr));
        error = "no object " + win32host::ToUtf8(spec) + " in the database (" + win32host::ToUtf8(code) + ")";
        return false;
    }
    return true;
}

} // namespace plmclient
