// The client's current transaction on the read-only connection and the query objects it makes.
// Every statement that a query runs is traced as "sql" with the text exactly as given. While a
// transaction object lives it is the current one, and the statements of its queries (and the
// client's own reads) share one read transaction; a query keeps its transaction alive.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>
#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {

struct ClientState;

class TransactionQuery : public comkit::ComObject<ITransactionQuery> {
public:
    TransactionQuery(std::shared_ptr<ClientState> state, IQvCslTransaction* pTransaction);
    ~TransactionQuery() override;

    STDMETHODIMP SetSqlText(BSTR bstrSql) override;
    STDMETHODIMP Execute() override;
    STDMETHODIMP IsEof(VARIANT_BOOL* pbEof) override;
    STDMETHODIMP MoveNext() override;
    STDMETHODIMP GetFieldValue(BSTR bstrColumn, VARIANT* pvarValue) override;

private:
    int FindColumn(BSTR bstrColumn);

    std::shared_ptr<ClientState> m_state;
    IQvCslTransactionPtr m_pTransaction; // held until the cursor below is gone
    BSTR m_bstrSql = nullptr; // owned; a copy of the text set, from the BSTR cache
    std::unique_ptr<IDbCursor> m_cursor;
    // Names asked for since Execute, held in place: a query is made for each document and read by
    // a handful of names.
    static constexpr size_t kKnownColumns = 8;
    static constexpr size_t kLongestKnownName = 15; // the object stays below 1 KB, a heap block of the small kind
    struct KnownColumn {
        wchar_t szName[kLongestKnownName];
        size_t cchName;
        int nColumn;
    };
    KnownColumn m_columns[kKnownColumns];
    size_t m_nColumns = 0;
    HRESULT m_hrExecute = QV_E_NOTEXECUTED;
};

class Transaction : public comkit::ComObject<IQvCslTransaction> {
public:
    explicit Transaction(std::shared_ptr<ClientState> state);
    ~Transaction() override;

    STDMETHODIMP CreateQuery(ITransactionQuery** ppQuery) override;

    // The live current transaction with a reference added, or a new one.
    static HRESULT GetCurrent(const std::shared_ptr<ClientState>& state, IQvCslTransaction** ppTransaction);

private:
    std::shared_ptr<ClientState> m_state;
};

} // namespace qvclient
