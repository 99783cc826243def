// A workflow element whose UI object cannot be had: GetUiObject fails, or succeeds with none.
#pragma once

#include <QvInterfaces.h>

namespace managertest {

class FailingFlowItem : public IQvUiFlowItem, public IQvUiItem {
public:
    // hrGetUiObject: what GetUiObject returns; it never gives an object.
    explicit FailingFlowItem(HRESULT hrGetUiObject);

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetAttachedItems(VARIANT* pvarItems) override;
    STDMETHODIMP GetUiObject(IQvUiObject** ppUiObject) override;

    int calls = 0;

private:
    virtual ~FailingFlowItem() = default;
    ULONG m_refs = 1;
    HRESULT m_hr;
};

} // namespace managertest
