// Object and link references of the client's object model (ComRef.dll).
#pragma once

#include <list>

#include <comdef.h>

#include "QvInterfaces.h"

class COtlLinkRef;

// A reference to one object. Holds one reference on the IQvOtlObject.
class COtlObjectRef {
public:
    COtlObjectRef();
    explicit COtlObjectRef(IQvOtlObject* pObject);
    COtlObjectRef(const COtlObjectRef& other);
    COtlObjectRef& operator=(const COtlObjectRef& other);
    virtual ~COtlObjectRef();

    // Makes the reference hold a new, empty object of the class; SetID then names the object.
    HRESULT RawCreate(LPCWSTR lpszClassName);
    HRESULT SetID(ULONG nObjectID);

    virtual ULONG GetID() const;
    // The caller frees *pbstrClassName with SysFreeString.
    virtual HRESULT GetClassNameW(BSTR* pbstrClassName) const;
    // Appends one new COtlObjectRef and one new COtlLinkRef per related object; the caller owns
    // and deletes them. nDirection 1 follows the relation from role A to role B.
    virtual HRESULT GetRelatedObjects(LPCWSTR lpszRelation, int nDirection, std::list<COtlObjectRef*>& lstObjects,
        std::list<COtlLinkRef*>& lstLinks) const;
    // The caller clears *pvarValue.
    virtual HRESULT GetPropertyValue(LPCWSTR lpszName, VARIANT* pvarValue) const;

    // The object held, borrowed (no reference added); null for an empty reference.
    IQvOtlObject* GetOtlObject() const { return m_pObject; }

protected:
    IQvOtlObjectPtr m_pObject;
};

// A reference to one link (relation instance) of the object model.
class COtlLinkRef : public COtlObjectRef {
public:
    COtlLinkRef();
    explicit COtlLinkRef(IQvOtlObject* pLink);
    ~COtlLinkRef() override;
};
