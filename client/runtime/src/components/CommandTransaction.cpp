#include "qvclient/CommandTransaction.h"

#include <objbase.h>

namespace qvclient {

CommandTransaction::CommandTransaction()
{
    IQvPlmSystem* pSystem = nullptr;
    if (FAILED(CoCreateInstance(CLSID_QvPlmSystem, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IQvPlmSystem),
            reinterpret_cast<void**>(&pSystem))))
        return;
    if (FAILED(pSystem->GetCurTransaction(&m_pTransaction)))
        m_pTransaction = nullptr;
    pSystem->Release();
}

CommandTransaction::~CommandTransaction()
{
    if (m_pTransaction)
        m_pTransaction->Release();
}

} // namespace qvclient
