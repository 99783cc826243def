// The light file module loaded by its bare name, as the PLM client loads it, with its exports
// bound by name.
#pragma once

#include <windows.h>

#include <QvInterfaces.h>

namespace e2e {

using PFN_UiCommand = HRESULT (*)(IQvUiContext*);
using PFN_SignPdf = LONG (*)(ULONG, LPCWSTR, LONG, LPCWSTR);

inline constexpr const wchar_t* kModuleName = L"VuverIverIzizerOzi.dll";

struct ModuleExports {
    HMODULE module = nullptr;
    PFN_UiCommand OnDocListDownLoadLightFile = nullptr;
    PFN_UiCommand OnDocListViewDwgFile = nullptr;
    PFN_UiCommand OnDocListViewLightFile = nullptr;
    PFN_UiCommand OutputLightFile = nullptr;
    PFN_UiCommand PrdTreeOutputLightFile = nullptr;
    PFN_SignPdf SignPdf = nullptr;
    PFN_UiCommand WfOutputLightFile = nullptr;

    bool Complete() const;
};

// Loads the module once for the process (it stays loaded, as in the client) and binds the
// seven exports; a missing one stays null.
const ModuleExports& Module();

} // namespace e2e
