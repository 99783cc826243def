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
    if (vault == nullptr || std::wstring(bstrName) != L"name" || !vault->files.count(id))
        return DISP_E_UNKNOWNNAME;
    const std::wstring value = vault->files[id].name;
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

HRESULT FakeOtlObject::Refusal(REFIID iid)
{
    return iid == __uuidof(IObjectFileContent) && !offerFileContent ? E_NOINTERFACE : S_OK;
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

class FakeWatermark : public FakeUnknown<IQvPdfWatermark> {
public:
    explicit FakeWatermark(FakeWatermarkComponent& owner) : m_owner(owner) {}

    STDMETHODIMP AddWatermark(BSTR bstrPdfPath, LONG nStyle) override
    {
        m_owner.calls.push_back({bstrPdfPath, nStyle});
        return m_owner.addWatermark;
    }

private:
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
