// CLSID_QvPlmSystem: the current transaction, global parameters, the client's folders, the
// rights of the current user and the class hierarchy.
#pragma once

#include <memory>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

namespace qvclient {

struct ClientState;

class PlmSystem : public comkit::ComObject<IQvPlmSystem> {
public:
    explicit PlmSystem(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {}

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** ppTransaction) override;
    STDMETHODIMP GetGlobalParam(BSTR bstrName, LONG* plValue) override;
    STDMETHODIMP GetSystemTempPath(BSTR* pbstrPath) override;
    STDMETHODIMP GetSystemConfigPath(BSTR* pbstrPath) override;
    STDMETHODIMP CheckObjectBehaviorMethod(IQvOtlObject* pObject, BSTR bstrBehavior, BSTR bstrMethod,
        SHORT* pbAllowed) override;
    STDMETHODIMP IsDescendentOrSelfClass(BSTR bstrBaseClass, BSTR bstrClass, INT* pbResult) override;

private:
    std::shared_ptr<ClientState> m_state;
};

} // namespace qvclient
