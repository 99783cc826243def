// The plm.server file of a client folder: one connection string, nothing else.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <winenv/AtomicFile.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "qvclient/Client.h"

namespace qvclient {
namespace {

std::filesystem::path ServerFilePath(const std::wstring& folder)
{
    return std::filesystem::u8path(winenv::ToPosixPath(folder)) / winenv::ToUtf8(FolderLayout::kServerFile);
}

} // namespace

HRESULT ReadFolderServer(const std::wstring& folder, std::string& conninfo)
{
    conninfo.clear();
    const std::filesystem::path path = ServerFilePath(folder);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return S_FALSE;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos)
        return E_INVALIDARG;
    conninfo = text.substr(first, last - first + 1);
    return S_OK;
}

HRESULT WriteFolderServer(const std::wstring& folder, const std::string& conninfo)
{
    const std::filesystem::path path = ServerFilePath(folder);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    // The string may hold a password: private from its first byte, and never half written.
    if (winenv::WriteFileAtomically(path.u8string(), conninfo + '\n', 0600) != 0)
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    return S_OK;
}

HRESULT ForgetFolderServer(const std::wstring& folder)
{
    std::error_code ec;
    std::filesystem::remove(ServerFilePath(folder), ec);
    return ec ? HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) : S_OK;
}

} // namespace qvclient
