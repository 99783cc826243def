// The client's current transaction on the read-only connection and the query objects it makes.
// Every statement that a query runs is traced as "sql" with the text exactly as given.
#pragma once

#include <memory>
#include <string>

#include "QvInterfaces.h"
#include "com/ComObject.h"
#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {

struct ClientState;

class TransactionQuery : public ComObject<ITransactionQuery> {
public:
    explicit TransactionQuery(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {}

    STDMETHODIMP SetSqlText(BSTR bstrSql) override;
    STDMETHODIMP Execute() override;
    STDMETHODIMP IsEof(VARIANT_BOOL* pbEof) override;
    STDMETHODIMP MoveNext() override;
    STDMETHODIMP GetFieldValue(BSTR bstrColumn, VARIANT* pvarValue) override;

private:
    std::shared_ptr<ClientState> m_state;
    std::wstring m_strSql;
    std::unique_ptr<IDbCursor> m_cursor;
    HRESULT m_hrExecute = QV_E_NOTEXECUTED;
};

class Transaction : public ComObject<IQvCslTransaction> {
public:
    explicit Transaction(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {}

    STDMETHODIMP CreateQuery(ITransactionQuery** ppQuery) override;

private:
    std::shared_ptr<ClientState> m_state;
};

} // namespace qvclient
