#include "ClientTestFolder.h"
#include "ObjectDownload.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <comdef.h>
#include <win32host/Paths.h>
#include <win32host/Trace.h>

ClientTestFolder::ClientTestFolder()
{
    char pattern[] = "/tmp/qvclient-test-XXXXXX";
    const char* pszFolder = mkdtemp(pattern);
    m_folder = pszFolder != nullptr ? pszFolder : "";
    m_builder = std::make_unique<qvclient::FixtureBuilder>(win32host::FromUtf8(m_folder));
    std::filesystem::create_directories(std::filesystem::path(m_folder) / "out");
}

ClientTestFolder::~ClientTestFolder()
{
    m_client.RevokeComponents();
    m_builder.reset();
    std::error_code ec;
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder, ec);
}

HRESULT ClientTestFolder::OpenClient()
{
    HRESULT hr = m_client.Open(win32host::FromUtf8(m_folder));
    if (SUCCEEDED(hr))
        hr = m_client.RegisterComponents();
    return hr;
}

std::wstring ClientTestFolder::OutputPath(const std::wstring& fileName) const
{
    return win32host::FromPosixPath(m_folder + "/out") + L"\\" + fileName;
}

std::string ClientTestFolder::OutputPosixPath(const std::string& fileName) const
{
    return m_folder + "/out/" + fileName;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

HRESULT DownloadStoredFile(LONG storedFileId, const std::wstring& windowsPath)
{
    return viztest::DownloadObjectFile(L"StoredFile", storedFileId, windowsPath);
}
