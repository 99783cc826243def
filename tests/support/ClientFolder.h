// One PLM client for one test: a scratch folder filled through the fixture builder, then opened by
// the real client with its components and the viewer control registered, as the client program
// sets itself up.
#pragma once

#include <memory>
#include <string>

#include <comdef.h>

#include <QvInterfaces.h>
#include <qvclient/Client.h>
#include <qvclient/Fixture.h>

#include "ClassRegistration.h"
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
    // A class that answers in front of the opened client's own for as long as it is held.
    std::unique_ptr<ClassRegistration> RegisterInFront(REFCLSID clsid, CreateFunction create);

private:
    std::unique_ptr<qvclient::FixtureBuilder> m_fixture;
    qvclient::Client m_client;
};

// A new query of the opened client's current transaction; null when there is none.
ITransactionQueryPtr NewQuery();
// Sets the query's text and runs it.
HRESULT RunText(ITransactionQuery* pQuery, const std::wstring& sql);
// A column of the query's current row; VT_EMPTY when it cannot be read (*phr says why).
_variant_t FieldOf(ITransactionQuery* pQuery, const wchar_t* column, HRESULT* phr = nullptr);

} // namespace viztest
