// A client folder built for one test: a fresh database filled through the fixture builder, then
// opened by the real client with its components registered.
#pragma once

#include <memory>
#include <string>

#include <ComRef.h>
#include <qvclient/Client.h>
#include <qvclient/Fixture.h>

#include "SystemInterposer.h"

namespace managertest {

class ClientFolder {
public:
    ClientFolder();
    ~ClientFolder();
    ClientFolder(const ClientFolder&) = delete;
    ClientFolder& operator=(const ClientFolder&) = delete;

    // Fill the database first, then open it.
    qvclient::FixtureBuilder& Fixture() { return *m_fixture; }
    // Opens the client; with faults, its system object stands behind a SystemInterposer.
    HRESULT Open(SystemFaults* pFaults = nullptr);
    qvclient::Client& Client() { return m_client; }

    // A reference to an object of the opened client.
    std::unique_ptr<COtlObjectRef> Object(LPCWSTR lpszClassName, LONG nObjectID) const;

    const std::string& Posix() const { return m_posix; }
    // A new empty folder inside, as the module sees it (Windows path), for downloads.
    std::wstring MakeFolder(const std::string& name) const;
    // The client's temporary folder (Windows path).
    std::wstring TempFolder() const { return m_client.GetTempPath(); }

private:
    std::string m_posix;
    std::unique_ptr<qvclient::FixtureBuilder> m_fixture;
    qvclient::Client m_client;
    std::unique_ptr<SystemInterposer> m_interposer;
};

// The POSIX path of a Windows path the module wrote.
std::string PosixOf(const std::wstring& windowsPath);
bool PosixFileExists(const std::string& path);
// Names in a folder, sorted, joined with ",".
std::string ListPosixFolder(const std::string& path);

} // namespace managertest
