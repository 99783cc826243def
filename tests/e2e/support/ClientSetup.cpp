#include "ClientSetup.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <objbase.h>
#include <win32host/Modules.h>
#include <win32host/Paths.h>
#include <win32host/Trace.h>

namespace e2e {

namespace fs = std::filesystem;

ClientSetup::ClientSetup()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string pattern = (fs::temp_directory_path() / "e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_posix = pattern;
    m_fixture = std::make_unique<qvclient::FixtureBuilder>(win32host::FromUtf8(m_posix));
    m_userId = m_fixture->AddUser(kUser, L"张工");
    m_fixture->GrantRight(m_userId, L"Documentation", L"OutputFile");
    m_fixture->SetCurrentUser(kUser);
    m_fixture->SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
}

ClientSetup::~ClientSetup()
{
    m_client.RevokeComponents();
    win32host::UnregisterInprocServer(CLSID_QvViewerControl);
    m_fixture.reset();
    std::error_code ec;
    fs::remove_all(m_posix, ec);
    CoUninitialize();
}

HRESULT ClientSetup::Open()
{
    if (FAILED(m_fixture->GetStatus()))
        return m_fixture->GetStatus();
    HRESULT hr = m_client.Open(win32host::FromUtf8(m_posix));
    if (SUCCEEDED(hr))
        hr = m_client.RegisterComponents();
    // The viewer control is installed beside the client, as its registry key says.
    win32host::RegisterInprocServer(CLSID_QvViewerControl, L"QvViewerControl.dll");
    return hr;
}

IQvOtlObjectPtr ClientSetup::Object(const wchar_t* className, LONG id) const
{
    IQvOtlObject* pObject = nullptr;
    if (FAILED(qvclient::OpenObject(className, id, &pObject)))
        return nullptr;
    return IQvOtlObjectPtr(pObject, false);
}

std::wstring ClientSetup::MakeFolder(const std::string& name) const
{
    const std::string path = m_posix + "/" + name;
    fs::create_directories(path);
    return win32host::FromPosixPath(path);
}

Signer AddTextSigner(qvclient::FixtureBuilder& fixture, const std::wstring& login, const std::wstring& text)
{
    const LONG userId = fixture.AddUser(login, login);
    fixture.AddSignatureConfig(userId, 1, text, L"", L"", 0);
    // Each signer signs in a workflow state of their own, so that each signature has one placement.
    fixture.AddSignatureLocation(login, L"Release", L"100,200", L"");
    return {userId, login};
}

void Sign(qvclient::FixtureBuilder& fixture, const Signer& signer, const std::wstring& documentClass,
    const qvclient::DocumentFixture& document)
{
    fixture.AddSignature(documentClass, document.documentId, document.revisionId, signer.userId,
        L"2026-03-02 09:15:00", signer.login, L"Release");
}

std::string PosixOf(const std::wstring& windowsPath)
{
    return win32host::ToPosixPath(windowsPath);
}

bool FileExists(const std::wstring& windowsPath)
{
    std::error_code ec;
    return fs::is_regular_file(PosixOf(windowsPath), ec);
}

std::string ReadFile(const std::wstring& windowsPath)
{
    std::ifstream in(PosixOf(windowsPath), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> ListFolder(const std::wstring& windowsPath)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PosixOf(windowsPath), ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace e2e
