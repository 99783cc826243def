// One PLM client for one test: a scratch client folder filled through the fixture builder, then
// opened by the real client with its components and the viewer control registered, as the
// client program sets itself up.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QvInterfaces.h>
#include <qvclient/Client.h>
#include <qvclient/Fixture.h>

namespace e2e {

inline constexpr const wchar_t* kUser = L"zhang";

class ClientSetup {
public:
    // Makes the folder and its database with the user "zhang", who may output files and is the
    // current user; no watermark.
    ClientSetup();
    ~ClientSetup();
    ClientSetup(const ClientSetup&) = delete;
    ClientSetup& operator=(const ClientSetup&) = delete;

    // Fill the database first, then open it.
    qvclient::FixtureBuilder& Fixture() { return *m_fixture; }
    LONG UserId() const { return m_userId; }
    HRESULT Open();
    qvclient::Client& Client() { return m_client; }

    // An object of the opened client, or null.
    IQvOtlObjectPtr Object(const wchar_t* className, LONG id) const;

    const std::string& Posix() const { return m_posix; }
    // A new empty folder inside the client folder: its Windows path, as the user would pick it.
    std::wstring MakeFolder(const std::string& name) const;

private:
    std::string m_posix;
    std::unique_ptr<qvclient::FixtureBuilder> m_fixture;
    qvclient::Client m_client;
    LONG m_userId = 0;
};

// A signer whose signature is the text given, placed at 100,200 on the first page; the signer
// signs in the workflow state named after the login, of the template "Release".
struct Signer {
    LONG userId = 0;
    std::wstring login;
};
Signer AddTextSigner(qvclient::FixtureBuilder& fixture, const std::wstring& login, const std::wstring& text);
// The signer approved the document's current revision.
void Sign(qvclient::FixtureBuilder& fixture, const Signer& signer, const std::wstring& documentClass,
    const qvclient::DocumentFixture& document);

// ---- files, by the Windows paths the module uses
std::string PosixOf(const std::wstring& windowsPath);
bool FileExists(const std::wstring& windowsPath);
std::string ReadFile(const std::wstring& windowsPath);
// File names in a folder, sorted.
std::vector<std::string> ListFolder(const std::wstring& windowsPath);

} // namespace e2e
