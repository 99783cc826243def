#include "ModuleHost.h"

#include <winenv/Trace.h>

namespace plmclient {

ModuleHost::~ModuleHost()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
}

bool ModuleHost::Load(const std::wstring& moduleName, std::string& error)
{
    m_hModule = LoadLibraryW(moduleName.c_str());
    if (!m_hModule) {
        error = "cannot load the module " + winenv::ToUtf8(moduleName) + " (looked in the program's folder, the "
            "current directory and PATH)";
        return false;
    }
    struct Binding {
        const char* name;
        FARPROC* slot;
    } bindings[] = {
        {"OnDocListDownLoadLightFile", reinterpret_cast<FARPROC*>(&m_pfnDownload)},
        {"OnDocListViewDwgFile", reinterpret_cast<FARPROC*>(&m_pfnViewDwg)},
        {"OnDocListViewLightFile", reinterpret_cast<FARPROC*>(&m_pfnView)},
        {"OutputLightFile", reinterpret_cast<FARPROC*>(&m_pfnOutput)},
        {"PrdTreeOutputLightFile", reinterpret_cast<FARPROC*>(&m_pfnPrdTree)},
        {"SignPdf", reinterpret_cast<FARPROC*>(&m_pfnSignPdf)},
        {"WfOutputLightFile", reinterpret_cast<FARPROC*>(&m_pfnWorkflow)},
    };
    for (const Binding& b : bindings) {
        *b.slot = GetProcAddress(m_hModule, b.name);
        if (!*b.slot) {
            error = std::string("the module has no export ") + b.name;
            return false;
        }
    }
    return true;
}

PFN_UiCommand ModuleHost::UiCommand(const std::wstring& name) const
{
    if (name == L"OnDocListDownLoadLightFile")
        return m_pfnDownload;
    if (name == L"OnDocListViewDwgFile")
        return m_pfnViewDwg;
    if (name == L"OnDocListViewLightFile")
        return m_pfnView;
    if (name == L"OutputLightFile")
        return m_pfnOutput;
    if (name == L"PrdTreeOutputLightFile")
        return m_pfnPrdTree;
    if (name == L"WfOutputLightFile")
        return m_pfnWorkflow;
    return nullptr;
}

} // namespace plmclient
