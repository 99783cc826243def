// An object of the client's model that the user-interface walks only pass along.
#pragma once

#include <QvInterfaces.h>

#include "ComFake.h"

namespace moduletest {

class FakeOtlObject : public FakeUnknown<IQvOtlObject> {
public:
    STDMETHODIMP GetObjectClassName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectID(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyValue(BSTR, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP RawCreate(BSTR) override { return E_NOTIMPL; }
};

} // namespace moduletest
