// CLSID_QvObjectCollection: the items of a VARIANT that holds an array of objects.
#pragma once

#include <vector>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

namespace qvclient {

class ObjectCollection : public comkit::ComObject<IQvObjectCollection> {
public:
    ObjectCollection() = default;

    STDMETHODIMP SetVariant(VARIANT* pvarItems) override;
    STDMETHODIMP GetCount(ULONG* pnCount) override;
    STDMETHODIMP GetItem(ULONG nIndex, IUnknown** ppItem) override;

protected:
    ~ObjectCollection() override;

private:
    void Clear();

    std::vector<IUnknown*> m_items; // one reference each
};

} // namespace qvclient
