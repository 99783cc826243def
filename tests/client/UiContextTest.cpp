// A workflow context that cannot be made; the contexts the client makes are walked by the
// commands on the real client in the end-to-end and manager tests.
#include <gtest/gtest.h>

#include "com/UnknownArray.h"
#include "qvclient/UiContext.h"
#include <comdef.h>
#include <comkit/ComObject.h>

namespace {

// An item whose query for the model object fails yet leaves the pointer set.
class CarelessItem : public comkit::ComObject<IUnknown> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != __uuidof(IQvOtlObject))
            return ComObject::QueryInterface(riid, ppv);
        *ppv = static_cast<IUnknown*>(this);
        return E_NOINTERFACE;
    }
};

// A workflow item with one attachment.
class OneAttachmentFlow : public comkit::ComObject<IQvOtlObject> {
public:
    explicit OneAttachmentFlow(IUnknown* pItem) : m_pItem(pItem) {}
    STDMETHODIMP GetObjectClassName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectID(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyValue(BSTR, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT* pvarObjects, VARIANT*) override
    {
        return qvclient::MakeUnknownArray({m_pItem.GetInterfacePtr()}, pvarObjects);
    }
    STDMETHODIMP RawCreate(BSTR) override { return E_NOTIMPL; }

private:
    IUnknownPtr m_pItem;
};

TEST(UiContextFailure, AnAttachmentThatIsNoModelObjectFailsTheContextAndKeepsItsReferences)
{
    IUnknownPtr pItem(static_cast<IUnknown*>(new CarelessItem));
    IQvOtlObjectPtr pFlow(static_cast<IQvOtlObject*>(new OneAttachmentFlow(pItem)));
    IQvUiContext* pContext = nullptr;
    EXPECT_EQ(E_NOINTERFACE, qvclient::MakeWorkflowContext(pFlow, &pContext));
    EXPECT_EQ(nullptr, pContext);
    pItem->AddRef();
    EXPECT_EQ(2u, pItem->Release()) << "the test's and the flow's reference";
}

} // namespace
