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
    auto it = vault->files.find(id);
    if (it == vault->files.end())
        return E_FAIL;
    if (FAILED(it->second.download))
        return it->second.download;
    std::ofstream out(win32host::ToPosixPath(bstrLocalPath), std::ios::binary);
    if (!out)
        return E_ACCESSDENIED;
    out << it->second.content;
    return S_OK;
}

FakeObjectModel::FakeObjectModel()
{
    m_objects = std::make_unique<ClassRegistration>(CLSID_QvOtlObject, [this](REFIID iid, void** ppv) {
        FakeOtlObject* object = new FakeOtlObject(&vault);
        HRESULT hr = object->QueryInterface(iid, ppv);
        object->Release();
        return hr;
    });
}

FakeObjectModel::~FakeObjectModel() = default;

} // namespace moduletest
