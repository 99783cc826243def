// CLSID_QvOtlObject and CLSID_StoredFile: one object of the client's model, named by class
// (RawCreate) and id (SetObjectID), with its properties, relations and stored content.
#pragma once

#include <memory>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

#include "RelationBranch.h"

namespace qvclient {

struct ClientState;
struct ClassInfo;
struct StoredFileInfo;

class OtlObject : public comkit::ComObject<IQvOtlObject, IObjectIdentity, IObjectFileContent> {
public:
    // pszClassName presets the class (CLSID_StoredFile makes "StoredFile" objects); null leaves
    // the instance empty until RawCreate.
    OtlObject(std::shared_ptr<ClientState> state, const wchar_t* pszClassName, LONG nObjectID = 0);

    // IQvOtlObject
    STDMETHODIMP GetObjectClassName(BSTR* pbstrClassName) override;
    STDMETHODIMP GetObjectID(LONG* plObjectID) override;
    STDMETHODIMP GetPropertyValue(BSTR bstrName, VARIANT* pvarValue) override;
    STDMETHODIMP GetRelatedObjects(BSTR bstrRelation, LONG nDirection, VARIANT* pvarObjects, VARIANT* pvarLinks) override;
    STDMETHODIMP RawCreate(BSTR bstrClassName) override;

    // IObjectIdentity
    STDMETHODIMP SetObjectID(LONG lObjectID) override;

    // IObjectFileContent
    STDMETHODIMP DownloadToFile(BSTR bstrLocalPath) override;

    // branch: the objects a relation walk went through to reach this one (none for a root).
    static HRESULT Create(std::shared_ptr<ClientState> state, const ClassInfo* pClass, LONG nObjectID, IUnknown** ppObject,
        RelationBranchPtr branch = nullptr);

private:
    // The stored file to the local path; `file` tells which one, as far as it was found.
    HRESULT WriteStoredFile(const std::wstring& localPath, StoredFileInfo& file);

    std::shared_ptr<ClientState> m_state;
    const ClassInfo* m_pClass = nullptr;
    LONG m_nObjectID = 0;
    RelationBranchPtr m_branch;
};

} // namespace qvclient
