#include "ClientErrorService.h"

#include "ClientState.h"
#include "components/ErrorService.h"
#include "components/ObjectCollection.h"

namespace moduletest {

template <class T, class... Args>
std::unique_ptr<ClassRegistration> Register(REFCLSID clsid, Args... args)
{
    return std::make_unique<ClassRegistration>(
        clsid, [args...](REFIID iid, void** ppv) { return comkit::CreateComObject<T>(iid, ppv, args...); });
}

ClientErrorService::ClientErrorService() : m_state(std::make_shared<qvclient::ClientState>())
{
    m_registrations.push_back(Register<qvclient::ErrorReporter>(CLSID_QvErrorReporter));
    m_registrations.push_back(Register<qvclient::ErrorRecord>(CLSID_QvErrorRecord));
    m_registrations.push_back(Register<qvclient::PendingErrors>(CLSID_QvPendingErrors, m_state));
    m_registrations.push_back(Register<qvclient::ObjectCollection>(CLSID_QvObjectCollection));
}

ClientErrorService::~ClientErrorService() = default;

void ClientErrorService::SetPending(const std::vector<HRESULT>& codes)
{
    m_state->pendingErrors.clear();
    for (HRESULT code : codes)
        m_state->pendingErrors.push_back({code, L"client", 0});
}

size_t ClientErrorService::PendingCount() const { return m_state->pendingErrors.size(); }

} // namespace moduletest
