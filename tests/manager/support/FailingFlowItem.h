// A workflow element whose UI object cannot be had: GetUiObject fails, or succeeds with none.
#pragma once

#include <QvInterfaces.h>
#include <comkit/ComObject.h>

namespace managertest {

class FailingFlowItem : public comkit::ComObject<IQvUiFlowItem, IQvUiItem> {
public:
    // hrGetUiObject: what GetUiObject returns; it never gives an object. The creator holds the
    // first reference.
    explicit FailingFlowItem(HRESULT hrGetUiObject);

    STDMETHODIMP GetAttachedItems(VARIANT* pvarItems) override;
    STDMETHODIMP GetUiObject(IQvUiObject** ppUiObject) override;

    int calls = 0;

private:
    HRESULT m_hr;
};

} // namespace managertest
