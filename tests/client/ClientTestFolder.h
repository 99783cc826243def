// A client folder for one test: a fresh fixture database in a temporary folder, then the client
// opened on it with its components registered. The folder goes when the test ends.
#pragma once

#include <memory>
#include <string>

#include "qvclient/Client.h"
#include "qvclient/Fixture.h"

class ClientTestFolder {
public:
    ClientTestFolder();
    ~ClientTestFolder();

    qvclient::FixtureBuilder& Builder() { return *m_builder; }
    // Opens the client on what the builder wrote and registers the components.
    HRESULT OpenClient();
    qvclient::Client& Client() { return m_client; }
    const std::string& PosixFolder() const { return m_folder; }
    // A Windows path for a file in the folder's "out" sub-folder (made on demand).
    std::wstring OutputPath(const std::wstring& fileName) const;
    std::string OutputPosixPath(const std::string& fileName) const;

private:
    std::string m_folder;
    std::unique_ptr<qvclient::FixtureBuilder> m_builder;
    qvclient::Client m_client;
};

// Downloads a stored file of the opened client through its COM object, as the module does.
HRESULT DownloadStoredFile(LONG storedFileId, const std::wstring& windowsPath);

// The content of a file, empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
