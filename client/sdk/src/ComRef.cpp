#include "ComRef.h"

#include <vector>

#include "SystemObject.h"

namespace {

// The IQvOtlObject of every element of a VT_ARRAY | VT_UNKNOWN (or VT_DISPATCH) VARIANT, each
// with one reference the caller releases. An empty VARIANT gives no element.
HRESULT ReadObjectArray(const VARIANT& var, std::vector<IQvOtlObject*>& objects)
{
    if (var.vt == VT_EMPTY || var.vt == VT_NULL)
        return S_OK;
    if ((var.vt != (VT_ARRAY | VT_UNKNOWN) && var.vt != (VT_ARRAY | VT_DISPATCH)) || var.parray == nullptr)
        return DISP_E_TYPEMISMATCH;
    SAFEARRAY* psa = var.parray;
    LONG lower = 0;
    LONG upper = -1;
    HRESULT hr = SafeArrayGetLBound(psa, 1, &lower);
    if (SUCCEEDED(hr))
        hr = SafeArrayGetUBound(psa, 1, &upper);
    if (FAILED(hr))
        return hr;
    for (LONG i = lower; i <= upper; ++i) {
        IUnknown* pUnk = nullptr;
        hr = SafeArrayGetElement(psa, &i, &pUnk);
        if (FAILED(hr))
            break;
        IQvOtlObject* pObject = nullptr;
        hr = pUnk != nullptr ? pUnk->QueryInterface(__uuidof(IQvOtlObject), reinterpret_cast<void**>(&pObject))
                             : E_POINTER;
        if (pUnk != nullptr)
            pUnk->Release();
        if (FAILED(hr))
            break;
        objects.push_back(pObject);
    }
    if (FAILED(hr)) {
        for (IQvOtlObject* p : objects)
            p->Release();
        objects.clear();
    }
    return hr;
}

} // namespace

// ---- COtlObjectRef ----------------------------------------------------------------------------

COtlObjectRef::COtlObjectRef() : m_pObject(nullptr) {}

COtlObjectRef::COtlObjectRef(IQvOtlObject* pObject) : m_pObject(pObject)
{
    if (m_pObject != nullptr)
        m_pObject->AddRef();
}

COtlObjectRef::COtlObjectRef(const COtlObjectRef& other) : m_pObject(other.m_pObject)
{
    if (m_pObject != nullptr)
        m_pObject->AddRef();
}

COtlObjectRef& COtlObjectRef::operator=(const COtlObjectRef& other)
{
    if (other.m_pObject != nullptr)
        other.m_pObject->AddRef();
    if (m_pObject != nullptr)
        m_pObject->Release();
    m_pObject = other.m_pObject;
    return *this;
}

COtlObjectRef::~COtlObjectRef()
{
    if (m_pObject != nullptr)
        m_pObject->Release();
}

HRESULT COtlObjectRef::RawCreate(LPCWSTR lpszClassName)
{
    if (m_pObject != nullptr) {
        m_pObject->Release();
        m_pObject = nullptr;
    }
    IQvOtlObject* pObject = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_QvOtlObject, nullptr, qvsdk::kClientClassContext, __uuidof(IQvOtlObject),
        reinterpret_cast<void**>(&pObject));
    if (FAILED(hr))
        return hr;
    if (pObject == nullptr)
        return E_POINTER;
    BSTR bstrClass = SysAllocString(lpszClassName != nullptr ? lpszClassName : L"");
    if (bstrClass == nullptr) {
        pObject->Release();
        return E_OUTOFMEMORY;
    }
    hr = pObject->RawCreate(bstrClass);
    SysFreeString(bstrClass);
    if (FAILED(hr)) {
        pObject->Release();
        return hr;
    }
    m_pObject = pObject;
    return hr;
}

HRESULT COtlObjectRef::SetID(ULONG nObjectID)
{
    if (m_pObject == nullptr)
        return E_POINTER;
    IObjectIdentity* pIdentity = nullptr;
    HRESULT hr = m_pObject->QueryInterface(__uuidof(IObjectIdentity), reinterpret_cast<void**>(&pIdentity));
    if (FAILED(hr))
        return hr;
    hr = pIdentity->SetObjectID(static_cast<LONG>(nObjectID));
    pIdentity->Release();
    return hr;
}

ULONG COtlObjectRef::GetID() const
{
    LONG lID = 0;
    if (m_pObject == nullptr || FAILED(m_pObject->GetObjectID(&lID)))
        return 0;
    return static_cast<ULONG>(lID);
}

HRESULT COtlObjectRef::GetClassNameW(BSTR* pbstrClassName) const
{
    if (pbstrClassName == nullptr)
        return E_POINTER;
    *pbstrClassName = nullptr;
    if (m_pObject == nullptr)
        return E_POINTER;
    return m_pObject->GetObjectClassName(pbstrClassName);
}

HRESULT COtlObjectRef::GetRelatedObjects(LPCWSTR lpszRelation, int nDirection, std::list<COtlObjectRef*>& lstObjects,
    std::list<COtlLinkRef*>& lstLinks) const
{
    if (m_pObject == nullptr)
        return E_POINTER;
    BSTR bstrRelation = SysAllocString(lpszRelation != nullptr ? lpszRelation : L"");
    if (bstrRelation == nullptr)
        return E_OUTOFMEMORY;
    VARIANT varObjects;
    VARIANT varLinks;
    VariantInit(&varObjects);
    VariantInit(&varLinks);
    HRESULT hr = m_pObject->GetRelatedObjects(bstrRelation, nDirection, &varObjects, &varLinks);
    SysFreeString(bstrRelation);

    std::vector<IQvOtlObject*> objects;
    std::vector<IQvOtlObject*> links;
    if (SUCCEEDED(hr))
        hr = ReadObjectArray(varObjects, objects);
    if (SUCCEEDED(hr)) {
        HRESULT hrLinks = ReadObjectArray(varLinks, links);
        if (FAILED(hrLinks)) {
            for (IQvOtlObject* p : objects)
                p->Release();
            objects.clear();
            hr = hrLinks;
        }
    }
    VariantClear(&varObjects);
    VariantClear(&varLinks);

    // The references take over the one reference each pointer holds.
    for (IQvOtlObject* p : objects) {
        lstObjects.push_back(new COtlObjectRef(p));
        p->Release();
    }
    for (IQvOtlObject* p : links) {
        lstLinks.push_back(new COtlLinkRef(p));
        p->Release();
    }
    return hr;
}

HRESULT COtlObjectRef::GetPropertyValue(LPCWSTR lpszName, VARIANT* pvarValue) const
{
    if (pvarValue == nullptr)
        return E_POINTER;
    if (m_pObject == nullptr)
        return E_POINTER;
    BSTR bstrName = SysAllocString(lpszName != nullptr ? lpszName : L"");
    if (bstrName == nullptr)
        return E_OUTOFMEMORY;
    HRESULT hr = m_pObject->GetPropertyValue(bstrName, pvarValue);
    SysFreeString(bstrName);
    return hr;
}

// ---- COtlLinkRef ------------------------------------------------------------------------------

COtlLinkRef::COtlLinkRef() = default;

COtlLinkRef::COtlLinkRef(IQvOtlObject* pLink) : COtlObjectRef(pLink) {}

COtlLinkRef::~COtlLinkRef() = default;
