// The PostgreSQL backend of the database seam (libpq). Results are read whole, so a cursor stays
// readable while other statements run on the same connection, as the module's nested queries need.
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <winenv/Trace.h>

#include "db/ConnectionString.h"
#include "db/PlaceholderText.h"
#include "db/PostgresAnswer.h"
#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {
namespace {

// Type oids of the built-in types (pg_type.oid), fixed since the first releases.
constexpr Oid kBoolOid = 16;
constexpr Oid kByteaOid = 17;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kOidOid = 26;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// Why a connection could not be made, from libpq's message (it gives no SQLSTATE there).
HRESULT StatusFromConnectMessage(const std::string& message)
{
    if (Contains(message, "authentication failed") || Contains(message, "no password supplied") ||
        (Contains(message, "role \"") && Contains(message, "does not exist")))
        return QV_E_LOGONREFUSED;
    if (Contains(message, "database \"") && Contains(message, "does not exist"))
        return QV_E_NOSCHEMA;
    return QV_E_SERVERUNREACHABLE;
}

HRESULT StatusFromSqlState(const char* pszState)
{
    const std::string state = pszState != nullptr ? pszState : "";
    if (state == "25006" || state == "42501")
        return E_ACCESSDENIED; // read-only transaction; no privilege
    if (state == "42P01" || state == "3F000")
        return QV_E_NOSCHEMA; // no such table; no such schema
    if (state.rfind("08", 0) == 0 || state.rfind("57P0", 0) == 0)
        return QV_E_CONNECTIONLOST; // connection exception; server shutting down
    if (state == "57014" || state == "55P03")
        return QV_E_TIMEOUT; // statement_timeout; lock_timeout
    if (state == "53200")
        return E_OUTOFMEMORY;
    return QV_E_DATABASE;
}

void IgnoreNotice(void*, const char*) {}

// The client's session: read-only, and no statement or lock wait may hold the user interface
// for long. A time limit the string's own options give is left to them.
std::string ReadOnlySessionOptions(const std::string& conninfo)
{
    static const std::pair<const char*, const char*> timeouts[] = {
        {"statement_timeout", "30s"},
        {"lock_timeout", "10s"},
    };
    const std::string given = GetConnectionSetting(conninfo, "options");
    std::string options;
    for (const auto& [name, value] : timeouts) {
        if (!Contains(given, name))
            options += std::string("-c ") + name + "=" + value + " ";
    }
    // Last, so that it wins over the string's own.
    return options + "-c default_transaction_read_only=on";
}

// Every route by which the client's role could change a table of its search path, first found
// first: as a superuser, by making itself a member of the tables' owner, by the server's file or
// program roles, as the owner of a table or of its schema (which may drop it), or by a privilege
// on a table or on one of its columns. A role counts as the client's when the client may SET ROLE
// to it, with or without inheriting its rights. BYPASSRLS needs one of these to write at all.
const char kWritableRoleQuery[] =
    "WITH mine AS (SELECT g.oid, g.rolname, g.rolsuper, g.rolcreaterole FROM pg_catalog.pg_roles g"
    " WHERE pg_catalog.pg_has_role(current_user, g.oid, 'MEMBER')),"
    " plm AS (SELECT c.oid, c.relname, c.relowner, n.nspname, n.nspowner FROM pg_catalog.pg_class c"
    " JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace"
    " WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') AND n.nspname = ANY (pg_catalog.current_schemas(false)))"
    " SELECT w.reason, w.rolname, current_user FROM ("
    " SELECT 1 AS rank, 'is a superuser' AS reason, m.rolname FROM mine m WHERE m.rolsuper"
    " UNION ALL SELECT 2, 'may create roles (CREATEROLE), and so make itself a member of the tables'' owner',"
    " m.rolname FROM mine m WHERE m.rolcreaterole"
    " UNION ALL SELECT 3, 'may write server files or run server programs (' || m.rolname || ')', m.rolname"
    " FROM mine m WHERE m.rolname IN ('pg_write_server_files', 'pg_execute_server_program')"
    " UNION ALL SELECT 4, 'owns the table ' || p.nspname || '.' || p.relname, m.rolname"
    " FROM mine m JOIN plm p ON p.relowner = m.oid"
    " UNION ALL SELECT 5, 'owns the schema ' || p.nspname || ' and so may drop its tables', m.rolname"
    " FROM mine m JOIN plm p ON p.nspowner = m.oid"
    " UNION ALL SELECT 6, 'may insert, update, delete or truncate rows of ' || p.nspname || '.' || p.relname,"
    " m.rolname FROM mine m CROSS JOIN plm p"
    " WHERE pg_catalog.has_table_privilege(m.oid, p.oid, 'INSERT, UPDATE, DELETE, TRUNCATE')"
    " UNION ALL SELECT 7, 'may insert or update columns of ' || p.nspname || '.' || p.relname, m.rolname"
    " FROM mine m CROSS JOIN plm p WHERE pg_catalog.has_any_column_privilege(m.oid, p.oid, 'INSERT, UPDATE')"
    ") w ORDER BY w.rank, w.rolname = current_user DESC, w.reason, w.rolname LIMIT 1";

class PostgresCursor : public IDbCursor {
public:
    // Takes over the result; null stands for an empty text (no rows).
    explicit PostgresCursor(PGresult* pResult) : m_pResult(pResult) {}
    ~PostgresCursor() override { PQclear(m_pResult); }
    PostgresCursor(const PostgresCursor&) = delete;
    PostgresCursor& operator=(const PostgresCursor&) = delete;

    bool IsEof() const override { return m_pResult == nullptr || m_nRow >= PQntuples(m_pResult); }

    HRESULT MoveNext() override
    {
        if (IsEof())
            return QV_E_ENDOFROWS;
        ++m_nRow;
        return S_OK;
    }

    int GetColumnCount() const override { return m_pResult != nullptr ? PQnfields(m_pResult) : 0; }

    // Unquoted names come back folded to lower case; FindColumn compares without regard to case.
    std::wstring GetColumnName(int nColumn) const override
    {
        const char* psz = m_pResult != nullptr ? PQfname(m_pResult, nColumn) : nullptr;
        return psz != nullptr ? winenv::FromUtf8(psz) : std::wstring();
    }

    DbValue GetValue(int nColumn) const override
    {
        if (IsEof() || nColumn < 0 || nColumn >= GetColumnCount() || PQgetisnull(m_pResult, m_nRow, nColumn))
            return DbValue::Null();
        const char* psz = PQgetvalue(m_pResult, m_nRow, nColumn);
        const int cb = PQgetlength(m_pResult, m_nRow, nColumn);
        switch (PQftype(m_pResult, nColumn)) {
        case kInt2Oid:
        case kInt4Oid:
        case kInt8Oid:
        case kOidOid: return DbValue::Integer(std::strtoll(psz, nullptr, 10));
        case kBoolOid: return DbValue::Integer(psz[0] == 't' ? 1 : 0);
        case kFloat4Oid:
        case kFloat8Oid:
        case kNumericOid: return DbValue::Real(std::strtod(psz, nullptr));
        case kByteaOid: {
            size_t cbBytes = 0;
            unsigned char* pBytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(psz), &cbBytes);
            if (pBytes == nullptr)
                return DbValue::Null();
            DbValue value = DbValue::Blob(std::vector<BYTE>(pBytes, pBytes + cbBytes));
            PQfreemem(pBytes);
            return value;
        }
        default: return DbValue::Text(winenv::FromUtf8(std::string(psz, static_cast<size_t>(cb))));
        }
    }

private:
    PGresult* m_pResult;
    int m_nRow = 0;
};

// A connection the client can use, or null with libpq's reason in message.
PGconn* Connect(const std::string& settings, std::string& message)
{
    PGconn* pConn = PQconnectdb(settings.c_str());
    if (pConn == nullptr) {
        message = "out of memory";
        return nullptr;
    }
    // Nonblocking, so that a statement is sent and answered under the client's own deadline.
    if (PQstatus(pConn) != CONNECTION_OK || PQsetnonblocking(pConn, 1) != 0) {
        message = PQerrorMessage(pConn);
        PQfinish(pConn);
        return nullptr;
    }
    PQsetNoticeProcessor(pConn, IgnoreNotice, nullptr);
    return pConn;
}

class PostgresDatabase : public IDatabase {
public:
    PostgresDatabase(PGconn* pConn, std::string settings)
        : m_pConn(pConn), m_settings(std::move(settings)),
          m_deadline(GetAnswerDeadline(GetConnectionSetting(m_settings, "options")))
    {
    }
    ~PostgresDatabase() override { PQfinish(m_pConn); }
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    HRESULT Query(std::wstring_view sql, const std::vector<DbValue>& params,
        std::unique_ptr<IDbCursor>& cursor) override
    {
        cursor.reset();
        std::lock_guard<std::mutex> lock(m_mutex);
        HRESULT hr = Reconnect();
        if (FAILED(hr))
            return hr;
        std::string strSql;
        winenv::ToUtf8(sql, strSql);
        int sent = 0;
        if (params.empty()) {
            sent = PQsendQueryParams(m_pConn, strSql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0);
        } else {
            std::vector<std::string> values(params.size());
            std::vector<const char*> pointers(params.size());
            std::vector<int> lengths(params.size()), formats(params.size());
            std::vector<Oid> types(params.size());
            for (size_t i = 0; i < params.size(); ++i)
                Bind(params[i], values[i], pointers[i], lengths[i], formats[i], types[i]);
            sent = PQsendQueryParams(m_pConn, NumberPlaceholders(strSql).c_str(),
                static_cast<int>(params.size()), types.data(), pointers.data(), lengths.data(), formats.data(), 0);
        }
        PGresult* pResult = nullptr;
        hr = Answer(sent, pResult);
        if (FAILED(hr)) {
            PQclear(pResult);
            return hr;
        }
        if (PQresultStatus(pResult) == PGRES_EMPTY_QUERY) {
            PQclear(pResult);
            pResult = nullptr;
        }
        cursor = std::make_unique<PostgresCursor>(pResult);
        return S_OK;
    }

    HRESULT Execute(std::wstring_view sql, const std::vector<DbValue>& params) override
    {
        std::unique_ptr<IDbCursor> cursor;
        return Query(sql, params, cursor);
    }

    HRESULT ExecuteScript(const std::wstring& script) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        HRESULT hr = Reconnect();
        if (FAILED(hr))
            return hr;
        // The simple query protocol runs every statement of the script, in one transaction.
        PGresult* pResult = nullptr;
        hr = Answer(PQsendQuery(m_pConn, winenv::ToUtf8(script).c_str()), pResult);
        PQclear(pResult);
        return hr;
    }

    std::wstring GetLastErrorText() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strLastError;
    }

    // No server transaction (a failing statement would abort every statement after it): the
    // outermost pair only bounds how long a server found gone stays given up.
    void BeginRead() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nReads;
    }

    void EndRead() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_nReads > 0 && --m_nReads == 0)
            m_hrGivenUp = S_OK;
    }

private:
    // A connection that broke or was given up is made again (same string, so the same timeouts
    // and settings). Once that failed within a command, the server is taken as gone until the
    // command ends: every later statement fails at once instead of waiting out the connect
    // timeout again, and the next command tries anew.
    HRESULT Reconnect()
    {
        if (m_pConn != nullptr && PQstatus(m_pConn) == CONNECTION_OK)
            return S_OK;
        if (FAILED(m_hrGivenUp))
            return m_hrGivenUp;
        PQfinish(m_pConn);
        std::string message;
        m_pConn = Connect(m_settings, message);
        if (m_pConn != nullptr)
            return S_OK;
        m_strLastError = winenv::FromUtf8(message);
        const HRESULT hr = StatusFromConnectMessage(message);
        if (m_nReads > 0) {
            m_hrGivenUp = hr;
            m_strLastError += L" (not tried again before the next command)";
        }
        return hr;
    }

    // The answer to the statement just sent (sent: what PQsend* returned), as CheckResult judges it.
    HRESULT Answer(int sent, PGresult*& pResult)
    {
        pResult = nullptr;
        if (sent == 0)
            return CheckResult(nullptr);
        const AnswerStatus status = AwaitAnswer(m_pConn, m_deadline, pResult);
        HRESULT hr = S_OK;
        if (status == AnswerStatus::Late) {
            m_strLastError = L"the server did not answer within " + std::to_wstring(m_deadline.count()) +
                L" ms; the statement was cancelled";
            hr = QV_E_TIMEOUT;
        } else {
            hr = CheckResult(pResult);
            if (status == AnswerStatus::Broken && SUCCEEDED(hr))
                hr = QV_E_DATABASE; // a COPY, which the client does not speak
        }
        if (status != AnswerStatus::Complete) {
            PQfinish(m_pConn);
            m_pConn = nullptr;
        }
        return hr;
    }

    HRESULT CheckResult(PGresult* pResult)
    {
        switch (PQresultStatus(pResult)) {
        case PGRES_TUPLES_OK:
        case PGRES_COMMAND_OK:
        case PGRES_EMPTY_QUERY: return S_OK;
        default: break;
        }
        const char* pszMessage = pResult != nullptr ? PQresultErrorMessage(pResult) : "";
        m_strLastError = winenv::FromUtf8(*pszMessage != '\0' ? pszMessage : PQerrorMessage(m_pConn));
        if (PQstatus(m_pConn) != CONNECTION_OK)
            return QV_E_CONNECTIONLOST;
        if (pResult == nullptr)
            return E_OUTOFMEMORY;
        return StatusFromSqlState(PQresultErrorField(pResult, PG_DIAG_SQLSTATE));
    }

    // Values go as text for the server to type by their place (a bare number fits any numeric
    // column), blobs in binary as bytea.
    static void Bind(const DbValue& value, std::string& text, const char*& pointer, int& length, int& format,
        Oid& type)
    {
        format = 0;
        type = 0;
        switch (value.type) {
        case DbValue::Type::Null: pointer = nullptr; length = 0; return;
        case DbValue::Type::Integer: text = std::to_string(value.integer); break;
        case DbValue::Type::Real: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.17g", value.real);
            text = buffer;
            break;
        }
        case DbValue::Type::Text: text = winenv::ToUtf8(value.text); break;
        case DbValue::Type::Blob:
            text.assign(value.blob.begin(), value.blob.end());
            format = 1;
            type = kByteaOid;
            break;
        }
        pointer = text.data();
        length = static_cast<int>(text.size());
    }

    PGconn* m_pConn;
    const std::string m_settings;
    const std::chrono::milliseconds m_deadline;
    mutable std::mutex m_mutex;
    std::wstring m_strLastError;
    int m_nReads = 0;          // BeginRead calls not yet ended
    HRESULT m_hrGivenUp = S_OK; // why the server was given up for the rest of the command
};

// S_OK for a role that may only read; QV_E_WRITABLEROLE, with the reason in message, otherwise.
HRESULT CheckReadOnlyRole(IDatabase& database, std::string& message)
{
    std::unique_ptr<IDbCursor> cursor;
    const HRESULT hr = database.Query(winenv::FromUtf8(kWritableRoleQuery), {}, cursor);
    if (FAILED(hr)) {
        message = winenv::ToUtf8(database.GetLastErrorText());
        return hr;
    }
    if (cursor->IsEof())
        return S_OK;
    const std::string current = winenv::ToUtf8(cursor->GetValue(2).text);
    const std::string through = winenv::ToUtf8(cursor->GetValue(1).text);
    message = "the role \"" + current + "\" may write the PLM tables: " +
        (through == current ? "it " : "it may act as the role \"" + through + "\", which ") +
        winenv::ToUtf8(cursor->GetValue(0).text);
    return QV_E_WRITABLEROLE;
}

} // namespace

HRESULT OpenPostgresDatabase(const std::string& conninfo, DbOpenMode mode, std::unique_ptr<IDatabase>& database,
    std::wstring* pError)
{
    database.reset();
    // Without these a server that stops answering leaves a statement waiting for ever.
    const std::vector<std::pair<std::string, std::string>> defaults = {
        {"connect_timeout", "5"},
        {"keepalives", "1"},
        {"keepalives_idle", "5"},
        {"keepalives_interval", "2"},
        {"keepalives_count", "3"},
        {"tcp_user_timeout", "10000"},
        {"client_encoding", "UTF8"},
    };
    std::string settings;
    std::string error;
    if (!AddConnectionSettings(conninfo, defaults, mode == DbOpenMode::ReadOnly ? ReadOnlySessionOptions(conninfo) : "",
            settings, &error)) {
        if (pError != nullptr)
            *pError = winenv::FromUtf8(error);
        return E_INVALIDARG;
    }
    std::string message;
    PGconn* pConn = Connect(settings, message);
    if (pConn == nullptr) {
        if (pError != nullptr)
            *pError = winenv::FromUtf8(message);
        return StatusFromConnectMessage(message);
    }
    auto opened = std::make_unique<PostgresDatabase>(pConn, settings);
    if (mode == DbOpenMode::ReadOnly) {
        const HRESULT hr = CheckReadOnlyRole(*opened, message);
        if (FAILED(hr)) {
            if (pError != nullptr)
                *pError = winenv::FromUtf8(message);
            return hr;
        }
    }
    database = std::move(opened);
    return S_OK;
}

} // namespace qvclient
