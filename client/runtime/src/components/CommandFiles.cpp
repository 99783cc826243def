#include "components/CommandFiles.h"

#include <cwctype>

#include <winenv/Trace.h>

#include "ClientState.h"
#include "PathMapping.h"
#include "qvclient/Errors.h"

namespace qvclient {

std::string CommandFileKey(const std::string& posixPath)
{
    std::wstring key = winenv::FromUtf8(posixPath);
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return winenv::ToUtf8(key);
}

HRESULT CheckCommandFile(ClientState& state, const std::string& key, const std::string& sha256,
    std::string& earlierSha256)
{
    std::lock_guard<std::mutex> lock(state.transactionMutex);
    const auto it = state.commandFiles.find(key);
    if (it == state.commandFiles.end() || it->second.sha256 == sha256)
        return S_OK;
    earlierSha256 = it->second.sha256;
    return QV_E_NAMETAKEN;
}

void RememberCommandFile(ClientState& state, const std::string& key, const std::string& sha256, LONG lightFileId)
{
    std::lock_guard<std::mutex> lock(state.transactionMutex);
    if (state.currentTransaction != nullptr)
        state.commandFiles[key] = CommandFile{sha256, lightFileId};
}

bool FindWrittenLightFile(ClientState& state, const std::wstring& localPath, LONG& lightFileId, std::string& sha256)
{
    const std::string key = CommandFileKey(ToPosix(localPath));
    std::lock_guard<std::mutex> lock(state.transactionMutex);
    const auto it = state.commandFiles.find(key);
    if (it == state.commandFiles.end() || it->second.lightFileId == 0)
        return false;
    lightFileId = it->second.lightFileId;
    sha256 = it->second.sha256;
    return true;
}

} // namespace qvclient
