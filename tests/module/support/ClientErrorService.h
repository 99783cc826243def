// The client's own error service and object collection behind their CLSIDs for the length of a
// scope, without the rest of the client: a report shown is an "error_report" trace event.
#pragma once

#include <memory>
#include <vector>

#include "ComFake.h"

namespace qvclient {
struct ClientState;
}

namespace moduletest {

class ClientErrorService {
public:
    ClientErrorService();
    ~ClientErrorService();

    // The client's pending errors, oldest first.
    void SetPending(const std::vector<HRESULT>& codes);
    size_t PendingCount() const;

private:
    std::shared_ptr<qvclient::ClientState> m_state;
    std::vector<std::unique_ptr<ClassRegistration>> m_registrations;
};

} // namespace moduletest
