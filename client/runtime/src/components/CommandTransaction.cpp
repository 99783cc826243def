#include "qvclient/CommandTransaction.h"

#include <objbase.h>

namespace qvclient {

CommandTransaction::CommandTransaction()
{
    IQvPlmSystemPtr pSystem;
    if (FAILED(CoCreateInstance(CLSID_QvPlmSystem, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IQvPlmSystem),
            reinterpret_cast<void**>(&pSystem))))
        return;
    if (FAILED(pSystem->GetCurTransaction(&m_pTransaction)))
        m_pTransaction = nullptr;
}

} // namespace qvclient
