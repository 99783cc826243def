#include "ClientFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include <objbase.h>
#include <win32host/Modules.h>
#include <win32host/Paths.h>
#include <win32host/Trace.h>

namespace managertest {

namespace fs = std::filesystem;

ClientFolder::ClientFolder()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string pattern = (fs::temp_directory_path() / "managertest-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_posix = buffer.data();
    m_fixture = std::make_unique<qvclient::FixtureBuilder>(win32host::FromUtf8(m_posix));
}

ClientFolder::~ClientFolder()
{
    m_client.RevokeComponents();
    m_interposer.reset();
    m_fixture.reset();
    std::error_code ec;
    fs::remove_all(m_posix, ec);
    CoUninitialize();
}

HRESULT ClientFolder::Open(SystemFaults* pFaults)
{
    if (FAILED(m_fixture->GetStatus()))
        return m_fixture->GetStatus();
    // The viewer control is installed with the client, as its registry key says.
    win32host::RegisterInprocServer(CLSID_QvViewerControl, win32host::FromUtf8(MANAGERTEST_VIEWER_DLL).c_str());
    HRESULT hr = m_client.Open(win32host::FromUtf8(m_posix));
    if (SUCCEEDED(hr))
        hr = m_client.RegisterComponents();
    if (FAILED(hr) || pFaults == nullptr)
        return hr;

    // The first registration of a class wins: the interposer goes in before the client's own.
    IClassFactory* pReal = nullptr;
    hr = CoGetClassObject(CLSID_QvPlmSystem, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
        reinterpret_cast<void**>(&pReal));
    if (FAILED(hr))
        return hr;
    m_client.RevokeComponents();
    m_interposer = std::make_unique<SystemInterposer>(pReal, pFaults);
    pReal->Release();
    return m_client.RegisterComponents();
}

std::unique_ptr<COtlObjectRef> ClientFolder::Object(LPCWSTR lpszClassName, LONG nObjectID) const
{
    IQvOtlObject* pObject = nullptr;
    if (FAILED(qvclient::OpenObject(lpszClassName, nObjectID, &pObject)))
        return nullptr;
    auto ref = std::make_unique<COtlObjectRef>(pObject);
    pObject->Release();
    return ref;
}

std::wstring ClientFolder::MakeFolder(const std::string& name) const
{
    const std::string path = m_posix + "/" + name;
    fs::create_directories(path);
    return win32host::FromPosixPath(path);
}

std::string PosixOf(const std::wstring& windowsPath)
{
    return win32host::ToPosixPath(windowsPath.c_str());
}

bool PosixFileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ListPosixFolder(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : ",") + name;
    return list;
}

} // namespace managertest
