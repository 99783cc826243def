// One PLM client for one test: a scratch folder filled through the fixture builder, then opened by
// the real client with its components and the viewer control registered, as the client program
// sets itself up.
#pragma once

#include <memory>
#include <string>

#include <QvInterfaces.h>
#include <qvclient/Client.h>
#include <qvclient/Fixture.h>

#include "ScratchFolder.h"

namespace viztest {

class ClientFolder : public ScratchFolder {
public:
    ClientFolder();
    ~ClientFolder();

    // Fill the database first, then open it.
    qvclient::FixtureBuilder& Fixture() { return *m_fixture; }
    // `viewerDll` is where the viewer control's registry key says it is installed.
    HRESULT Open(const std::wstring& viewerDll = L"QvViewerControl.dll");
    qvclient::Client& Client() { return m_client; }
    // An object of the opened client, or null.
    IQvOtlObjectPtr Object(const wchar_t* className, LONG id) const;

private:
    std::unique_ptr<qvclient::FixtureBuilder> m_fixture;
    qvclient::Client m_client;
};

} // namespace viztest
