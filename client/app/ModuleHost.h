// The module loaded by its file name, with its seven exports bound by name, as the PLM client
// binds them to its menus.
#pragma once

#include <windows.h>

#include <string>

#include "QvInterfaces.h"

namespace plmclient {

typedef HRESULT (*PFN_UiCommand)(IQvUiContext* pContext);
typedef LONG (*PFN_SignPdf)(ULONG nDocID, LPCWSTR lpszClassName, LONG nRevID, LPCWSTR lpszPdfPath);

class ModuleHost {
public:
    ModuleHost() = default;
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    // False with a message when the module or one of its exports is missing.
    bool Load(const std::wstring& moduleName, std::string& error);
    // The user-interface command of that export name, or null.
    PFN_UiCommand UiCommand(const std::wstring& name) const;
    PFN_SignPdf SignPdf() const { return m_pfnSignPdf; }

private:
    HMODULE m_hModule = nullptr;
    PFN_UiCommand m_pfnDownload = nullptr, m_pfnViewDwg = nullptr, m_pfnView = nullptr, m_pfnOutput = nullptr,
                  m_pfnPrdTree = nullptr, m_pfnWorkflow = nullptr;
    PFN_SignPdf m_pfnSignPdf = nullptr;
};

} // namespace plmclient
