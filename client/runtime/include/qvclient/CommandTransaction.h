// The client's transaction for the length of one command: made before the command runs and
// dropped after it, so that the module's GetCurTransaction gives this one and every statement
// of the command shares one read transaction. Needs the client's components registered.
#pragma once

#include <comdef.h>

#include "QvInterfaces.h"

namespace qvclient {

class CommandTransaction {
public:
    CommandTransaction();
    CommandTransaction(const CommandTransaction&) = delete;
    CommandTransaction& operator=(const CommandTransaction&) = delete;

    // Null when the client's system component is not registered.
    IQvCslTransaction* Get() const { return m_pTransaction; }

private:
    IQvCslTransactionPtr m_pTransaction;
};

} // namespace qvclient
