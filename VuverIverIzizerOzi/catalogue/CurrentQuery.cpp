#include "catalogue/CurrentQuery.h"

HRESULT OpenCurrentQuery(CPlmSystemRef& plmSystem, IQvCslTransactionPtr& spTransaction, ITransactionQueryPtr& spQuery)
{
    plmSystem.Create();
    HRESULT hr = plmSystem.GetCurTransaction(&spTransaction);
    if (FAILED(hr))
        return hr;
    return spTransaction->CreateQuery(&spQuery);
}
