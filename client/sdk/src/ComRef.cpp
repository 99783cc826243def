#include "ComRef.h"

#include <vector>

#include "BstrCopy.h"
#include "SystemObject.h"

using qvsdk::CopyText;

namespace {

// The IQvOtlObject of every element of a VT_ARRAY | VT_UNKNOWN (or VT_DISPATCH) VARIANT. An
// empty VARIANT gives no element; a failure gives none.
HRESULT ReadObjectArray(const VARIANT& var, std::vector<IQvOtlObjectPtr>& objects)
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
    for (LONG i = lower; SUCCEEDED(hr) && i <= upper; ++i) {
        IUnknownPtr pUnk;
        hr = SafeArrayGetElement(psa, &i, reinterpret_cast<IUnknown**>(&pUnk));
        IQvOtlObjectPtr pObject;
        if (SUCCEEDED(hr))
            hr = pUnk != nullptr ? pUnk->QueryInterface(__uuidof(IQvOtlObject), reinterpret_cast<void**>(&pObject))
                                 : E_POINTER;
        if (SUCCEEDED(hr))
            objects.push_back(pObject);
    }
    if (FAILED(hr))
        objects.clear();
    return hr;
}

} // namespace

// ---- COtlObjectRef ----------------------------------------------------------------------------

COtlObjectRef::COtlObjectRef() = default;

COtlObjectRef::COtlObjectRef(IQvOtlObject* pObject) : m_pObject(pObject) {}

COtlObjectRef::COtlObjectRef(const COtlObjectRef& other) = default;

COtlObjectRef& COtlObjectRef::operator=(const COtlObjectRef& other) = default;

COtlObjectRef::~COtlObjectRef() = default;

HRESULT COtlObjectRef::RawCreate(LPCWSTR lpszClassName)
{
    m_pObject = nullptr;
    IQvOtlObjectPtr pObject;
    HRESULT hr = CoCreateInstance(CLSID_QvOtlObject, nullptr, qvsdk::kClientClassContext, __uuidof(IQvOtlObject),
        reinterpret_cast<void**>(&pObject));
    if (FAILED(hr))
        return hr;
    if (pObject == nullptr)
        return E_POINTER;
    const _bstr_t bstrClass = CopyText(lpszClassName);
    if (!bstrClass)
        return E_OUTOFMEMORY;
    hr = pObject->RawCreate(bstrClass);
    if (SUCCEEDED(hr))
        m_pObject = pObject;
    return hr;
}

HRESULT COtlObjectRef::SetID(ULONG nObjectID)
{
    if (m_pObject == nullptr)
        return E_POINTER;
    IObjectIdentityPtr pIdentity;
    HRESULT hr = m_pObject->QueryInterface(__uuidof(IObjectIdentity), reinterpret_cast<void**>(&pIdentity));
    if (FAILED(hr))
        return hr;
    return pIdentity->SetObjectID(static_cast<LONG>(nObjectID));
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
    const _bstr_t bstrRelation = CopyText(lpszRelation);
    if (!bstrRelation)
        return E_OUTOFMEMORY;
    _variant_t varObjects;
    _variant_t varLinks;
    HRESULT hr = m_pObject->GetRelatedObjects(bstrRelation, nDirection, &varObjects, &varLinks);

    std::vector<IQvOtlObjectPtr> objects;
    std::vector<IQvOtlObjectPtr> links;
    if (SUCCEEDED(hr))
        hr = ReadObjectArray(varObjects, objects);
    if (SUCCEEDED(hr)) {
        hr = ReadObjectArray(varLinks, links);
        if (FAILED(hr))
            objects.clear();
    }
    for (const IQvOtlObjectPtr& p : objects)
        lstObjects.push_back(new COtlObjectRef(p));
    for (const IQvOtlObjectPtr& p : links)
        lstLinks.push_back(new COtlLinkRef(p));
    return hr;
}

HRESULT COtlObjectRef::GetPropertyValue(LPCWSTR lpszName, VARIANT* pvarValue) const
{
    if (pvarValue == nullptr)
        return E_POINTER;
    if (m_pObject == nullptr)
        return E_POINTER;
    const _bstr_t bstrName = CopyText(lpszName);
    if (!bstrName)
        return E_OUTOFMEMORY;
    return m_pObject->GetPropertyValue(bstrName, pvarValue);
}

// ---- COtlLinkRef ------------------------------------------------------------------------------

COtlLinkRef::COtlLinkRef() = default;

COtlLinkRef::COtlLinkRef(IQvOtlObject* pLink) : COtlObjectRef(pLink) {}

COtlLinkRef::~COtlLinkRef() = default;
