#include "TransactionQuery.h"

#include <string_view>

#include <winenv/Trace.h>
#include <winenv/TraceHeard.h>

#include "ClientState.h"

namespace qvclient {

TransactionQuery::TransactionQuery(std::shared_ptr<ClientState> state, IQvCslTransaction* pTransaction)
    : m_state(std::move(state)), m_pTransaction(pTransaction)
{
}

TransactionQuery::~TransactionQuery() { SysFreeString(m_bstrSql); }

STDMETHODIMP TransactionQuery::SetSqlText(BSTR bstrSql)
{
    BSTR bstrCopy = nullptr;
    if (bstrSql != nullptr) {
        bstrCopy = SysAllocStringLen(bstrSql, SysStringLen(bstrSql));
        if (bstrCopy == nullptr)
            return E_OUTOFMEMORY;
    }
    SysFreeString(m_bstrSql);
    m_bstrSql = bstrCopy;
    return S_OK;
}

STDMETHODIMP TransactionQuery::Execute()
{
    m_cursor.reset();
    m_nColumns = 0;
    const std::wstring_view sql(m_bstrSql != nullptr ? m_bstrSql : L"", SysStringLen(m_bstrSql));
    if (winenv::IsTraceHeard())
        winenv::Trace("sql", {{"text", winenv::ToUtf8(std::wstring(sql))}});
    m_hrExecute = m_state->database->Query(sql, {}, m_cursor);
    return m_hrExecute;
}

STDMETHODIMP TransactionQuery::IsEof(VARIANT_BOOL* pbEof)
{
    if (pbEof == nullptr)
        return E_POINTER;
    if (FAILED(m_hrExecute))
        return m_hrExecute;
    *pbEof = m_cursor->IsEof() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP TransactionQuery::MoveNext()
{
    if (FAILED(m_hrExecute))
        return m_hrExecute;
    return m_cursor->MoveNext();
}

STDMETHODIMP TransactionQuery::GetFieldValue(BSTR bstrColumn, VARIANT* pvarValue)
{
    if (pvarValue == nullptr)
        return E_POINTER;
    VariantInit(pvarValue);
    if (FAILED(m_hrExecute))
        return m_hrExecute;
    if (m_cursor->IsEof())
        return QV_E_ENDOFROWS;
    const int nColumn = FindColumn(bstrColumn);
    if (nColumn < 0)
        return DISP_E_UNKNOWNNAME;
    return DbValueToVariant(m_cursor->GetValue(nColumn), pvarValue);
}

// A row is read column by column by name, the same names for every row.
int TransactionQuery::FindColumn(BSTR bstrColumn)
{
    const std::wstring_view asked = bstrColumn != nullptr ? std::wstring_view(bstrColumn, SysStringLen(bstrColumn))
                                                          : std::wstring_view();
    for (size_t i = 0; i < m_nColumns; ++i)
        if (asked == std::wstring_view(m_columns[i].szName, m_columns[i].cchName))
            return m_columns[i].nColumn;
    const int nColumn = m_cursor->FindColumn(asked);
    if (m_nColumns < kKnownColumns && asked.size() <= kLongestKnownName) {
        KnownColumn& known = m_columns[m_nColumns++];
        asked.copy(known.szName, asked.size());
        known.cchName = asked.size();
        known.nColumn = nColumn;
    }
    return nColumn;
}

Transaction::Transaction(std::shared_ptr<ClientState> state) : m_state(std::move(state))
{
    if (m_state->database)
        m_state->database->BeginRead();
    std::lock_guard<std::mutex> lock(m_state->transactionMutex);
    if (m_state->currentTransaction == nullptr)
        m_state->currentTransaction = this;
}

Transaction::~Transaction()
{
    {
        std::lock_guard<std::mutex> lock(m_state->transactionMutex);
        if (m_state->currentTransaction == this) {
            m_state->currentTransaction = nullptr;
            m_state->commandParams.clear();
            std::unordered_map<std::string, CommandFile>().swap(m_state->commandFiles); // its buckets too
        }
    }
    if (m_state->database)
        m_state->database->EndRead();
}

HRESULT Transaction::GetCurrent(const std::shared_ptr<ClientState>& state, IQvCslTransaction** ppTransaction)
{
    if (ppTransaction == nullptr)
        return E_POINTER;
    {
        std::lock_guard<std::mutex> lock(state->transactionMutex);
        if (state->currentTransaction != nullptr) {
            state->currentTransaction->AddRef();
            *ppTransaction = state->currentTransaction;
            return S_OK;
        }
    }
    return comkit::CreateComObject<Transaction>(__uuidof(IQvCslTransaction), reinterpret_cast<void**>(ppTransaction), state);
}

STDMETHODIMP Transaction::CreateQuery(ITransactionQuery** ppQuery)
{
    return comkit::CreateComObject<TransactionQuery>(
        __uuidof(ITransactionQuery), reinterpret_cast<void**>(ppQuery), m_state, static_cast<IQvCslTransaction*>(this));
}

} // namespace qvclient
