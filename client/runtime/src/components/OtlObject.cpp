#include "OtlObject.h"

#include <vector>

#include <winenv/Trace.h>

#include "ClientState.h"
#include "components/CommandFiles.h"
#include "PathMapping.h"
#include "com/UnknownArray.h"
#include "qvclient/Errors.h"
#include "vault/StoredFileCopy.h"

namespace qvclient {
namespace {

std::wstring FromBstr(BSTR bstr)
{
    return bstr != nullptr ? std::wstring(bstr, SysStringLen(bstr)) : std::wstring();
}

} // namespace

OtlObject::OtlObject(std::shared_ptr<ClientState> state, const wchar_t* pszClassName, LONG nObjectID)
    : m_state(std::move(state)), m_nObjectID(nObjectID)
{
    if (pszClassName != nullptr && m_state && m_state->model)
        m_pClass = m_state->model->FindClass(pszClassName);
}

HRESULT OtlObject::Create(std::shared_ptr<ClientState> state, const ClassInfo* pClass, LONG nObjectID,
    IUnknown** ppObject, RelationBranchPtr branch)
{
    auto* pObject = new OtlObject(std::move(state), nullptr, nObjectID);
    pObject->m_pClass = pClass;
    pObject->m_branch = std::move(branch);
    *ppObject = static_cast<IQvOtlObject*>(pObject);
    (*ppObject)->AddRef();
    return S_OK;
}

STDMETHODIMP OtlObject::GetObjectClassName(BSTR* pbstrClassName)
{
    if (pbstrClassName == nullptr)
        return E_POINTER;
    *pbstrClassName = SysAllocString(m_pClass != nullptr ? m_pClass->name.c_str() : L"");
    if (*pbstrClassName == nullptr)
        return E_OUTOFMEMORY;
    return m_pClass != nullptr ? S_OK : S_FALSE;
}

STDMETHODIMP OtlObject::GetObjectID(LONG* plObjectID)
{
    if (plObjectID == nullptr)
        return E_POINTER;
    *plObjectID = m_nObjectID;
    return S_OK;
}

STDMETHODIMP OtlObject::GetPropertyValue(BSTR bstrName, VARIANT* pvarValue)
{
    if (pvarValue == nullptr)
        return E_POINTER;
    VariantInit(pvarValue);
    if (m_pClass == nullptr)
        return QV_E_NOTINITIALIZED;
    DbValue value;
    const HRESULT hr = m_state->model->GetProperty(*m_pClass, m_nObjectID, FromBstr(bstrName), value);
    if (FAILED(hr))
        return hr;
    return DbValueToVariant(value, pvarValue);
}

STDMETHODIMP OtlObject::GetRelatedObjects(BSTR bstrRelation, LONG nDirection, VARIANT* pvarObjects, VARIANT* pvarLinks)
{
    if (pvarObjects == nullptr || pvarLinks == nullptr)
        return E_POINTER;
    VariantInit(pvarObjects);
    VariantInit(pvarLinks);
    if (m_pClass == nullptr)
        return QV_E_NOTINITIALIZED;
    const std::wstring relation = FromBstr(bstrRelation);
    std::vector<RelatedObject> related;
    HRESULT hr = m_state->model->GetRelated(relation, *m_pClass, m_nObjectID, nDirection, related);
    if (FAILED(hr))
        return hr;
    const ClassInfo* pRelation = m_state->model->FindClass(relation);
    const RelationBranchPtr branch = ExtendBranch(m_branch, m_nObjectID);
    std::vector<IUnknownPtr> objects;
    std::vector<IUnknownPtr> links;
    for (const RelatedObject& r : related) {
        // The database may link a structure into a loop, or deeper than a walk can go; what the
        // model hands out is always a finite tree.
        if (IsOnBranch(branch, r.objectId)) {
            ReportLeftOut(QV_E_RELATIONCYCLE, relation, r.objectId);
            continue;
        }
        if (branch->depth >= kMaxRelationDepth) {
            ReportLeftOut(QV_E_RELATIONDEPTH, relation, r.objectId);
            continue;
        }
        IUnknownPtr pObject;
        IUnknownPtr pLink;
        hr = Create(m_state, m_state->model->FindClass(r.classId), r.objectId, &pObject, branch);
        if (SUCCEEDED(hr))
            hr = Create(m_state, pRelation, r.linkId, &pLink);
        if (FAILED(hr))
            break;
        objects.push_back(pObject);
        links.push_back(pLink);
    }
    if (SUCCEEDED(hr))
        hr = MakeUnknownArray(std::vector<IUnknown*>(objects.begin(), objects.end()), pvarObjects);
    if (SUCCEEDED(hr))
        hr = MakeUnknownArray(std::vector<IUnknown*>(links.begin(), links.end()), pvarLinks);
    if (FAILED(hr)) {
        VariantClear(pvarObjects);
        VariantClear(pvarLinks);
    }
    return hr;
}

STDMETHODIMP OtlObject::RawCreate(BSTR bstrClassName)
{
    const ClassInfo* pClass = m_state->model->FindClass(FromBstr(bstrClassName));
    if (pClass == nullptr)
        return QV_E_CLASSNOTFOUND;
    m_pClass = pClass;
    m_nObjectID = 0;
    return S_OK;
}

STDMETHODIMP OtlObject::SetObjectID(LONG lObjectID)
{
    m_nObjectID = lObjectID;
    return S_OK;
}

STDMETHODIMP OtlObject::DownloadToFile(BSTR bstrLocalPath)
{
    if (m_pClass == nullptr)
        return QV_E_NOTINITIALIZED;
    const std::wstring localPath = FromBstr(bstrLocalPath);
    if (localPath.empty())
        return E_INVALIDARG;
    StoredFileInfo file;
    const HRESULT hr = WriteStoredFile(localPath, file);
    DeliveryObserver observer;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        observer = m_state->deliveryObserver;
    }
    if (observer)
        observer(DeliveryEvent{localPath, m_pClass->name, m_nObjectID, file.sha256, file.size, hr});
    return hr;
}

HRESULT OtlObject::WriteStoredFile(const std::wstring& localPath, StoredFileInfo& file)
{
    HRESULT hr = m_state->model->GetContent(*m_pClass, m_nObjectID, file);
    if (FAILED(hr))
        return hr;
    DownloadObserver observer;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        observer = m_state->downloadObserver;
    }
    const std::string posixPath = ToPosix(localPath);
    const std::string key = CommandFileKey(posixPath);
    std::string earlierSha256;
    hr = CheckCommandFile(*m_state, key, file.sha256, earlierSha256);
    if (FAILED(hr)) {
        winenv::Trace("download_refused", {{"path", winenv::ToUtf8(localPath)}, {"sha256", file.sha256},
                                              {"written_sha256", earlierSha256}});
        return hr;
    }
    ULONGLONG cbWritten = 0;
    hr = CopyStoredFile(*m_state->vault, file, posixPath,
        [&](ULONGLONG cbCopied) {
            if (observer)
                observer(localPath, cbCopied);
        },
        cbWritten);
    if (FAILED(hr))
        return hr;
    RememberCommandFile(*m_state, key, file.sha256, m_pClass->name == L"LightFile" ? m_nObjectID : 0);
    winenv::Trace("file_written", {{"path", winenv::ToUtf8(localPath)}, {"bytes", std::to_string(cbWritten)}});
    return S_OK;
}

} // namespace qvclient
