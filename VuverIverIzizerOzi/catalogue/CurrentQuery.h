// A fresh query on the client's current transaction: the first steps of every query the module runs.
#pragma once

#include <ZORRTWrapper.h>

// Makes the system object, asks it for the current transaction and the transaction for a query.
// Gives the failing status of GetCurTransaction or CreateQuery, or CreateQuery's own status.
// Callers declare the system object, then the transaction, then the query, so that every way out
// releases the query, the transaction and the system object in that order.
HRESULT OpenCurrentQuery(CPlmSystemRef& plmSystem, IQvCslTransactionPtr& spTransaction, ITransactionQueryPtr& spQuery);
