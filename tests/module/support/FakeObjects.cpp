#include "FakeObjects.h"

#include <fstream>

#include <win32host/Paths.h>

namespace moduletest {

STDMETHODIMP FakeOtlObject::GetObjectClassName(BSTR* pbstrClassName)
{
    *pbstrClassName = SysAllocString(className.c_str());
    return S_OK;
}

STDMETHODIMP FakeOtlObject::GetObjectID(LONG* plObjectID)
{
    *plObjectID = id;
    return S_OK;
}

STDMETHODIMP FakeOtlObject::GetPropertyValue(BSTR bstrName, VARIANT* pvarValue)
{
    std::wstring value;
    auto it = properties.find(bstrName);
    if (it != properties.end())
        value = it->second;
    else if (vault != nullptr && std::wstring(bstrName) == L"name" && vault->files.count(id))
        value = vault->files[id].name;
    else
        return DISP_E_UNKNOWNNAME;
    VariantClear(pvarValue);
    pvarValue->vt = VT_BSTR;
    pvarValue->bstrVal = SysAllocString(value.c_str());
    return S_OK;
}

STDMETHODIMP FakeOtlObject::RawCreate(BSTR bstrClassName)
{
    className = bstrClassName;
    if (vault != nullptr)
        vault->rawCreated.push_back(className);
    return S_OK;
}

STDMETHODIMP FakeOtlObject::SetObjectID(LONG lObjectID)
{
    id = lObjectID;
    return S_OK;
}

STDMETHODIMP FakeOtlObject::DownloadToFile(BSTR bstrLocalPath)
{
    if (vault == nullptr)
        return E_UNEXPECTED;
    vault->downloads.push_back(bstrLocalPath);
    auto it = vault->files.find(id);
    if (it == vault->files.end())
        return E_FAIL;
    if (FAILED(it->second.download))
        return it->second.download;
    if (it->second.writeFile) {
        std::ofstream out(win32host::ToPosixPath(bstrLocalPath), std::ios::binary);
        if (!out)
            return E_ACCESSDENIED;
        out << it->second.content;
    }
    return S_OK;
}

void* FakeOtlObject::FindInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == __uuidof(IQvOtlObject))
        return static_cast<IQvOtlObject*>(this);
    if (iid == __uuidof(IObjectIdentity))
        return static_cast<IObjectIdentity*>(this);
    if (iid == __uuidof(IObjectFileContent) && offerFileContent)
        return static_cast<IObjectFileContent*>(this);
    return nullptr;
}

FakeObjectModel::FakeObjectModel()
{
    auto create = [this](REFIID iid, void** ppv) {
        FakeOtlObject* object = new FakeOtlObject(&vault);
        object->offerFileContent = offerFileContent;
        HRESULT hr = object->QueryInterface(iid, ppv);
        object->Release();
        return hr;
    };
    m_objects = std::make_unique<ClassRegistration>(CLSID_QvOtlObject, create);
    m_storedFiles = std::make_unique<ClassRegistration>(CLSID_StoredFile, [this, create](REFIID iid, void** ppv) {
        return FAILED(storedFileCreation) ? storedFileCreation : create(iid, ppv);
    });
}

FakeObjectModel::~FakeObjectModel() = default;

namespace {

class FakeWatermark : public IQvPdfWatermark, public FakeUnknown {
public:
    explicit FakeWatermark(FakeWatermarkComponent& owner) : m_owner(owner) {}

    MODULETEST_IUNKNOWN
    STDMETHODIMP AddWatermark(BSTR bstrPdfPath, LONG nStyle) override
    {
        m_owner.calls.push_back({bstrPdfPath, nStyle});
        return m_owner.addWatermark;
    }

private:
    void* FindInterface(REFIID iid) override
    {
        if (iid == IID_IUnknown || iid == __uuidof(IQvPdfWatermark))
            return static_cast<IQvPdfWatermark*>(this);
        return nullptr;
    }

    FakeWatermarkComponent& m_owner;
};

} // namespace

FakeWatermarkComponent::FakeWatermarkComponent(HRESULT addWatermarkResult)
    : addWatermark(addWatermarkResult)
{
    m_registration = std::make_unique<ClassRegistration>(CLSID_QvPdfWatermark, [this](REFIID iid, void** ppv) {
        FakeWatermark* watermark = new FakeWatermark(*this);
        HRESULT hr = watermark->QueryInterface(iid, ppv);
        watermark->Release();
        return hr;
    });
}

FakeWatermarkComponent::~FakeWatermarkComponent() = default;

} // namespace moduletest
