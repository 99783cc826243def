// Fakes of the client's object model for tests whose queries are the fake system's: objects with
// a class and an id, and light files that write their content to disk.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QvInterfaces.h>

#include "ComFake.h"

namespace moduletest {

// The stored files the fake vault holds, by object id.
struct FakeStoredFile {
    std::wstring name;
    std::string content = "content";
    HRESULT download = S_OK;
};

struct FakeVault {
    std::map<LONG, FakeStoredFile> files;
};

class FakeOtlObject : public FakeUnknown<IQvOtlObject, IObjectIdentity, IObjectFileContent> {
public:
    FakeOtlObject() = default;
    explicit FakeOtlObject(FakeVault* vault) : vault(vault) {}

    // IQvOtlObject
    STDMETHODIMP GetObjectClassName(BSTR* pbstrClassName) override;
    STDMETHODIMP GetObjectID(LONG* plObjectID) override;
    STDMETHODIMP GetPropertyValue(BSTR bstrName, VARIANT* pvarValue) override;
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP RawCreate(BSTR bstrClassName) override;
    // IObjectIdentity
    STDMETHODIMP SetObjectID(LONG lObjectID) override;
    // IObjectFileContent
    STDMETHODIMP DownloadToFile(BSTR bstrLocalPath) override;

    std::wstring className;
    LONG id = 0;
    FakeVault* vault = nullptr;
};

// Registers objects made from vault under CLSID_QvOtlObject.
class FakeObjectModel {
public:
    FakeObjectModel();
    ~FakeObjectModel();

    FakeVault vault;

private:
    std::unique_ptr<ClassRegistration> m_objects;
};

} // namespace moduletest
