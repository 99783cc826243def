// CLSID_QvObjectCollection: the items of a VARIANT that holds an array of objects.
#pragma once

#include <vector>

#include <comdef.h>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

namespace qvclient {

class ObjectCollection : public comkit::ComObject<IQvObjectCollection> {
public:
    ObjectCollection() = default;

    STDMETHODIMP SetVariant(VARIANT* pvarItems) override;
    STDMETHODIMP GetCount(ULONG* pnCount) override;
    STDMETHODIMP GetItem(ULONG nIndex, IUnknown** ppItem) override;

private:
    std::vector<IUnknownPtr> m_items;
};

} // namespace qvclient
