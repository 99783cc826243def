#include "TransactionQuery.h"

#include <win32host/Trace.h>

#include "ClientState.h"

namespace qvclient {

STDMETHODIMP TransactionQuery::SetSqlText(BSTR bstrSql)
{
    m_strSql = bstrSql != nullptr ? std::wstring(bstrSql, SysStringLen(bstrSql)) : std::wstring();
    return S_OK;
}

STDMETHODIMP TransactionQuery::Execute()
{
    m_cursor.reset();
    win32host::Trace("sql", {{"text", win32host::ToUtf8(m_strSql)}});
    m_hrExecute = m_state->database->Query(m_strSql, {}, m_cursor);
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
    const int nColumn =
        m_cursor->FindColumn(bstrColumn != nullptr ? std::wstring(bstrColumn, SysStringLen(bstrColumn)) : std::wstring());
    if (nColumn < 0)
        return DISP_E_UNKNOWNNAME;
    return DbValueToVariant(m_cursor->GetValue(nColumn), pvarValue);
}

STDMETHODIMP Transaction::CreateQuery(ITransactionQuery** ppQuery)
{
    return CreateComObject<TransactionQuery>(__uuidof(ITransactionQuery), reinterpret_cast<void**>(ppQuery), m_state);
}

} // namespace qvclient
