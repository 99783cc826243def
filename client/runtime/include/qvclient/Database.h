// The client's database seam: one connection, statements with '?' parameters, forward-only
// cursors with typed values. The SQL text reaches the engine as given (SQLite may run it as its
// shape with the condition literals bound, which answers the same: StatementShape). Two engines: an
// embedded SQLite file, or a PostgreSQL server named by a libpq connection string.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include <oleauto.h>

namespace qvclient {

struct DbValue {
    enum class Type { Null, Integer, Real, Text, Blob };

    Type type = Type::Null;
    LONGLONG integer = 0;
    double real = 0;
    std::wstring text;
    std::vector<BYTE> blob;

    static DbValue Null() { return DbValue(); }
    static DbValue Integer(LONGLONG value);
    static DbValue Real(double value);
    static DbValue Text(std::wstring value);
    static DbValue Blob(std::vector<BYTE> value);

    bool IsNull() const { return type == Type::Null; }
};

// INTEGER -> VT_I4 when it fits, else VT_I8; REAL -> VT_R8; TEXT -> VT_BSTR; NULL -> VT_NULL;
// BLOB -> VT_ARRAY | VT_UI1. *pvar is treated as an out parameter (not cleared first).
HRESULT DbValueToVariant(const DbValue& value, VARIANT* pvar);

// Rows of one statement; stands on the first row (or at the end) once made.
class IDbCursor {
public:
    virtual ~IDbCursor() = default;

    virtual bool IsEof() const = 0;
    virtual HRESULT MoveNext() = 0;
    virtual int GetColumnCount() const = 0;
    virtual std::wstring GetColumnName(int nColumn) const = 0;
    virtual DbValue GetValue(int nColumn) const = 0;

    // The index of a column by its name without regard to case; -1 when there is none.
    virtual int FindColumn(std::wstring_view name) const;
};

class IDatabase {
public:
    virtual ~IDatabase() = default;

    // Runs one statement and gives its rows. An empty text gives no rows.
    virtual HRESULT Query(std::wstring_view sql, const std::vector<DbValue>& params,
        std::unique_ptr<IDbCursor>& cursor) = 0;
    // Runs one statement that gives no rows.
    virtual HRESULT Execute(std::wstring_view sql, const std::vector<DbValue>& params = {}) = 0;
    // Runs every statement of a script, in order (no parameters).
    virtual HRESULT ExecuteScript(const std::wstring& script) = 0;
    // The engine's message for the last failure.
    virtual std::wstring GetLastErrorText() const = 0;
    // Statements between these share one read transaction (nested pairs count). The default does
    // nothing: on a server, a failing statement would abort every statement after it.
    virtual void BeginRead() {}
    virtual void EndRead() {}
};

enum class DbOpenMode { ReadOnly, ReadWrite, Create };

// Failures of a database server (FACILITY_ITF, severity error).
inline constexpr HRESULT QV_E_SERVERUNREACHABLE = _HRESULT_TYPEDEF_(0x80040310L); // no answer, or it refused
inline constexpr HRESULT QV_E_LOGONREFUSED = _HRESULT_TYPEDEF_(0x80040311L);      // credentials refused
inline constexpr HRESULT QV_E_NOSCHEMA = _HRESULT_TYPEDEF_(0x80040312L);          // a table of the schema is missing
inline constexpr HRESULT QV_E_CONNECTIONLOST = _HRESULT_TYPEDEF_(0x80040313L);    // the server went away mid-statement
inline constexpr HRESULT QV_E_WRITABLEROLE = _HRESULT_TYPEDEF_(0x80040314L);      // the client's role could write
inline constexpr HRESULT QV_E_TIMEOUT = _HRESULT_TYPEDEF_(0x80040315L);            // a statement or lock wait ran out

// A sentence for the user about a failure to open or use a database; empty for other codes.
std::wstring DescribeDatabaseStatus(HRESULT hr);

// A SQLite database file (a POSIX path). ReadOnly opens it so that every write fails, and an
// authorizer refuses every statement that is not a read (ATTACH, VACUUM INTO, PRAGMA, ...).
HRESULT OpenSqliteDatabase(const std::string& path, DbOpenMode mode, std::unique_ptr<IDatabase>& database);

// True for a libpq connection string: a "postgresql://" or "postgres://" URI, or keyword=value pairs.
bool IsServerConnectionString(const std::string& text);

// A PostgreSQL database through libpq. ReadOnly makes every transaction of the session read-only
// (default_transaction_read_only), gives statements and lock waits a time limit (statement_timeout
// 30 s, lock_timeout 10 s, unless the string's options set them) and refuses, with
// QV_E_WRITABLEROLE, with the reason, a role that could change a table of its search path by any
// route (superuser, CREATEROLE, the server's file and program roles, owning a table or its schema,
// a table or column privilege, each also through a role it may SET ROLE to), since it could switch
// the read-only setting off. Connect and keepalive timeouts are added when the string has none, so
// a lost server fails a statement instead of hanging it; a connection found broken is made again
// before the next statement, and when that fails within a command (between the outermost
// BeginRead and its EndRead) every later statement of the command fails at once with the same
// status. '?' parameters become $1, $2, ...
// (texts run without parameters reach the server unchanged). *pError, when given, receives the
// server's or libpq's message on failure.
HRESULT OpenPostgresDatabase(const std::string& conninfo, DbOpenMode mode, std::unique_ptr<IDatabase>& database,
    std::wstring* pError = nullptr);

} // namespace qvclient
