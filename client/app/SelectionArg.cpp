#include "SelectionArg.h"

#include <windows.h>

#include <qvclient/Errors.h>
#include <winenv/Trace.h>

namespace plmclient {

bool OpenSelection(const qvclient::Client& client, const std::wstring& arg, IQvOtlObject** ppObject,
    std::wstring& selection, std::string& error)
{
    *ppObject = nullptr;
    const size_t colon = arg.rfind(L':');
    const std::wstring cls = colon == std::wstring::npos ? L"" : arg.substr(0, colon);
    const std::wstring id = colon == std::wstring::npos ? arg : arg.substr(colon + 1);
    if ((colon != std::wstring::npos && cls.empty()) || id.empty() || id.size() > 9 ||
        id.find_first_not_of(L"0123456789") != std::wstring::npos) {
        error = "a selection is CLASS:ID or ID, for example Part:10 or 10 (got \"" + winenv::ToUtf8(arg) + "\")";
        return false;
    }
    const LONG nObjectID = _wtoi(id.c_str());
    std::wstring actual;
    HRESULT hr = client.GetObjectClassName(nObjectID, actual, cls);
    if (hr == qvclient::QV_E_CLASSNOTFOUND && cls.empty()) {
        error = "object " + winenv::ToUtf8(id) + " is kept in a table that several classes share: select it as CLASS:" +
            winenv::ToUtf8(id);
        return false;
    }
    if (FAILED(hr)) {
        wchar_t code[16];
        swprintf_s(code, 16, L"%08X", static_cast<unsigned>(hr));
        error = "no object " + winenv::ToUtf8(arg) + " in the database (" + winenv::ToUtf8(code) + ")";
        return false;
    }
    selection = actual + L":" + id;
    // The client passes a command the object's own class; a base class or another one would
    // not be what a user can select.
    if (!cls.empty() && cls != actual) {
        error = "object " + winenv::ToUtf8(id) + " is a " + winenv::ToUtf8(actual) + ", not a " +
            winenv::ToUtf8(cls) + ": select it as " + winenv::ToUtf8(selection) + " or " + winenv::ToUtf8(id);
        return false;
    }
    hr = qvclient::OpenObject(actual.c_str(), nObjectID, ppObject);
    if (FAILED(hr) || !*ppObject) {
        wchar_t code[16];
        swprintf_s(code, 16, L"%08X", static_cast<unsigned>(hr));
        error = "cannot open " + winenv::ToUtf8(selection) + " (" + winenv::ToUtf8(code) + ")";
        return false;
    }
    return true;
}

} // namespace plmclient
