// Fakes of the client's object model: objects with a class and an id, stored files with a name
// that write their content to disk, and the watermark component.
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
    bool writeFile = true; // false: reports success without writing anything
};

struct FakeVault {
    std::map<LONG, FakeStoredFile> files;
    std::vector<std::wstring> downloads; // paths asked for, in order
    std::vector<std::wstring> rawCreated; // class names of RawCreate
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
    bool offerFileContent = true;

private:
    HRESULT Refusal(REFIID iid) override;
};

// Registers objects made from vault under CLSID_QvOtlObject and CLSID_StoredFile.
class FakeObjectModel {
public:
    FakeObjectModel();
    ~FakeObjectModel();

    FakeVault vault;
    bool offerFileContent = true;
    HRESULT storedFileCreation = S_OK; // a failure makes CLSID_StoredFile unavailable

private:
    std::unique_ptr<ClassRegistration> m_objects;
    std::unique_ptr<ClassRegistration> m_storedFiles;
};

struct WatermarkCall {
    std::wstring path;
    LONG style;
};

// The watermark component; stamps nothing, records the calls.
class FakeWatermarkComponent {
public:
    explicit FakeWatermarkComponent(HRESULT addWatermark = S_OK);
    ~FakeWatermarkComponent();

    std::vector<WatermarkCall> calls;
    HRESULT addWatermark;
    int Creations() const { return m_registration->Creations(); }

private:
    std::unique_ptr<ClassRegistration> m_registration;
};

} // namespace moduletest
