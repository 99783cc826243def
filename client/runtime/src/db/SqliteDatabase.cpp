// The SQLite backend of the database seam.
#include <sqlite3.h>

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string_view>

#include <winenv/Trace.h>

#include "StatementCache.h"
#include "StatementShape.h"
#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {
namespace {

HRESULT StatusFromSqlite(int rc)
{
    switch (rc) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return S_OK;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return E_ACCESSDENIED;
    case SQLITE_NOMEM: return E_OUTOFMEMORY;
    case SQLITE_CANTOPEN: return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    default: return QV_E_DATABASE;
    }
}

// The read-only connection allows reading and nothing else, whatever text it is given: no
// write, schema change, ATTACH (which VACUUM INTO also asks for), PRAGMA or extension loading.
int AuthorizeReadOnly(void*, int action, const char*, const char* pszFunction, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT: return SQLITE_OK;
    case SQLITE_FUNCTION:
        return pszFunction != nullptr && sqlite3_stricmp(pszFunction, "load_extension") == 0 ? SQLITE_DENY : SQLITE_OK;
    default: return SQLITE_DENY;
    }
}

// An ASCII letter folds without a call into the C library: a row read by names compares every
// character of every column name before the one asked for.
wint_t FoldCase(wint_t c)
{
    if (c < 0x80)
        return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
    return std::towlower(c);
}

// The column's UTF-8 name against a name, without regard to case, with no conversion while the
// column's name is ASCII.
bool IsNameOf(const char* pszColumn, std::wstring_view name)
{
    size_t k = 0;
    for (; pszColumn[k] != '\0'; ++k) {
        const auto c = static_cast<unsigned char>(pszColumn[k]);
        if (c >= 0x80) {
            const std::wstring column = winenv::FromUtf8(pszColumn);
            return column.size() == name.size() &&
                   std::equal(column.begin(), column.end(), name.begin(), [](wchar_t a, wchar_t b) {
                       return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b));
                   });
        }
        if (k == name.size() || FoldCase(c) != FoldCase(static_cast<wint_t>(name[k])))
            return false;
    }
    return k == name.size();
}

class SqliteCursor : public IDbCursor {
public:
    // Takes over the statement, which goes back to the cache under its text at the end when
    // bKeep, and is finalized otherwise; null stands for an empty text (no rows).
    SqliteCursor(sqlite3_stmt* pStmt, std::shared_ptr<StatementCache> cache, StatementText text, bool bKeep)
        : m_pStmt(pStmt), m_cache(std::move(cache)), m_text(std::move(text)), m_bKeep(bKeep)
    {
    }
    ~SqliteCursor() override
    {
        if (m_bKeep)
            m_cache->Give(std::move(m_text), m_pStmt);
        else
            sqlite3_finalize(m_pStmt);
    }
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    // Runs the statement up to its first row.
    HRESULT Start() { return Step(); }

    bool IsEof() const override { return m_bEof; }

    HRESULT MoveNext() override
    {
        if (m_bEof)
            return QV_E_ENDOFROWS;
        return Step();
    }

    int GetColumnCount() const override { return m_pStmt != nullptr ? sqlite3_column_count(m_pStmt) : 0; }

    std::wstring GetColumnName(int nColumn) const override
    {
        const char* psz = m_pStmt != nullptr ? sqlite3_column_name(m_pStmt, nColumn) : nullptr;
        return psz != nullptr ? winenv::FromUtf8(psz) : std::wstring();
    }

    // Compared with SQLite's own UTF-8 names: a row read by column names converts none.
    int FindColumn(std::wstring_view name) const override
    {
        const int nCount = GetColumnCount();
        for (int i = 0; i < nCount; ++i) {
            const char* psz = sqlite3_column_name(m_pStmt, i);
            if (psz != nullptr && IsNameOf(psz, name))
                return i;
        }
        return -1;
    }

    DbValue GetValue(int nColumn) const override
    {
        if (m_bEof || nColumn < 0 || nColumn >= GetColumnCount())
            return DbValue::Null();
        switch (sqlite3_column_type(m_pStmt, nColumn)) {
        case SQLITE_INTEGER: return DbValue::Integer(sqlite3_column_int64(m_pStmt, nColumn));
        case SQLITE_FLOAT: return DbValue::Real(sqlite3_column_double(m_pStmt, nColumn));
        case SQLITE_TEXT: {
            const auto* psz = reinterpret_cast<const char*>(sqlite3_column_text(m_pStmt, nColumn));
            const int cb = sqlite3_column_bytes(m_pStmt, nColumn);
            return DbValue::Text(winenv::FromUtf8(std::string(psz != nullptr ? psz : "", cb)));
        }
        case SQLITE_BLOB: {
            const auto* pb = static_cast<const BYTE*>(sqlite3_column_blob(m_pStmt, nColumn));
            const int cb = sqlite3_column_bytes(m_pStmt, nColumn);
            return DbValue::Blob(std::vector<BYTE>(pb, pb + cb));
        }
        default: return DbValue::Null();
        }
    }

private:
    HRESULT Step()
    {
        if (m_pStmt == nullptr) {
            m_bEof = true;
            return S_OK;
        }
        const int rc = sqlite3_step(m_pStmt);
        m_bEof = rc != SQLITE_ROW;
        return rc == SQLITE_ROW || rc == SQLITE_DONE ? S_OK : StatusFromSqlite(rc);
    }

    sqlite3_stmt* m_pStmt;
    std::shared_ptr<StatementCache> m_cache;
    StatementText m_text;
    bool m_bKeep;
    bool m_bEof = true;
};

class SqliteDatabase : public IDatabase {
public:
    explicit SqliteDatabase(sqlite3* pDb) : m_pDb(pDb), m_cache(std::make_shared<StatementCache>()) {}
    ~SqliteDatabase() override
    {
        m_cache.reset(); // a cursor still open keeps the connection until it ends (close_v2)
        sqlite3_close_v2(m_pDb);
    }
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    HRESULT Query(std::wstring_view sql, const std::vector<DbValue>& params,
        std::unique_ptr<IDbCursor>& cursor) override
    {
        cursor.reset();
        // Encoded into a buffer kept across statements; the cursor copies the text only when
        // its statement goes back to the cache.
        winenv::ToUtf8(sql, m_strUtf8);
        const bool bShaped = params.empty() && m_shape.Make(m_strUtf8);
        const std::string& text = bShaped ? m_shape.Text() : m_strUtf8;
        const size_t hash = StatementText::HashOf(text);
        StatementText taken;
        sqlite3_stmt* pStmt = m_cache->Take(text, hash, taken);
        bool bKeep = pStmt != nullptr || m_cache->RanBefore(hash);
        int rc = Prepare(text, &pStmt);
        if (rc == SQLITE_OK)
            rc = bShaped ? BindLiterals(pStmt, m_shape.Literals()) : BindParams(pStmt, params);
        if (rc != SQLITE_OK && bShaped) {
            // SQLite refused the shape (a string where its grammar takes a name): the text as
            // written gives the statement, or the error, of its own.
            sqlite3_finalize(pStmt);
            pStmt = nullptr;
            bKeep = false;
            rc = Prepare(m_strUtf8, &pStmt);
        }
        if (rc != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(m_pDb);
            m_strLastError = winenv::FromUtf8(message);
            sqlite3_finalize(pStmt);
            // A missing table means the schema is not there, as the server backend reports it.
            return message.rfind("no such table", 0) == 0 ? QV_E_NOSCHEMA : StatusFromSqlite(rc);
        }
        if (bKeep && taken.text.empty())
            taken = StatementText(text, hash);
        auto result = std::make_unique<SqliteCursor>(pStmt, m_cache, std::move(taken), bKeep);
        const HRESULT hr = result->Start();
        if (FAILED(hr)) {
            m_strLastError = winenv::FromUtf8(sqlite3_errmsg(m_pDb));
            return hr;
        }
        cursor = std::move(result);
        return S_OK;
    }

    HRESULT Execute(std::wstring_view sql, const std::vector<DbValue>& params) override
    {
        std::unique_ptr<IDbCursor> cursor;
        return Query(sql, params, cursor);
    }

    HRESULT ExecuteScript(const std::wstring& script) override
    {
        char* pszError = nullptr;
        const int rc = sqlite3_exec(m_pDb, winenv::ToUtf8(script).c_str(), nullptr, nullptr, &pszError);
        if (pszError != nullptr) {
            m_strLastError = winenv::FromUtf8(pszError);
            sqlite3_free(pszError);
        }
        return StatusFromSqlite(rc);
    }

    std::wstring GetLastErrorText() const override { return m_strLastError; }

    void BeginRead() override
    {
        // Only a transaction begun here is ended here; one the caller's own script opened stays.
        if (m_nReadDepth++ == 0 && sqlite3_get_autocommit(m_pDb))
            m_bOwnRead = sqlite3_exec(m_pDb, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    void EndRead() override
    {
        if (m_nReadDepth == 0 || --m_nReadDepth != 0 || !m_bOwnRead)
            return;
        m_bOwnRead = false;
        if (sqlite3_exec(m_pDb, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            sqlite3_exec(m_pDb, "ROLLBACK", nullptr, nullptr, nullptr);
    }

private:
    // Prepares the text unless *ppStmt already holds its statement.
    int Prepare(const std::string& text, sqlite3_stmt** ppStmt)
    {
        if (*ppStmt != nullptr)
            return SQLITE_OK;
        return sqlite3_prepare_v2(m_pDb, text.data(), static_cast<int>(text.size()), ppStmt, nullptr);
    }

    static int BindParams(sqlite3_stmt* pStmt, const std::vector<DbValue>& params)
    {
        int rc = SQLITE_OK;
        for (size_t i = 0; rc == SQLITE_OK && pStmt != nullptr && i < params.size(); ++i)
            rc = Bind(pStmt, static_cast<int>(i) + 1, params[i]);
        return rc;
    }

    // The literals a shape took out, in their places; a shape SQLite prepared is never empty.
    static int BindLiterals(sqlite3_stmt* pStmt, const std::vector<ShapeLiteral>& literals)
    {
        if (pStmt == nullptr || sqlite3_bind_parameter_count(pStmt) != static_cast<int>(literals.size()))
            return SQLITE_RANGE;
        int rc = SQLITE_OK;
        for (size_t i = 0; rc == SQLITE_OK && i < literals.size(); ++i) {
            const ShapeLiteral& literal = literals[i];
            const int nIndex = static_cast<int>(i) + 1;
            if (literal.kind == ShapeLiteral::Kind::Integer) {
                rc = sqlite3_bind_int64(pStmt, nIndex, literal.integer);
            } else if (literal.quoted.find('\'') == std::string_view::npos) {
                rc = sqlite3_bind_text(pStmt, nIndex, literal.quoted.data(), static_cast<int>(literal.quoted.size()),
                    SQLITE_TRANSIENT);
            } else {
                const std::string value = literal.Text();
                rc = sqlite3_bind_text(pStmt, nIndex, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
            }
        }
        return rc;
    }

    static int Bind(sqlite3_stmt* pStmt, int nIndex, const DbValue& value)
    {
        switch (value.type) {
        case DbValue::Type::Null: return sqlite3_bind_null(pStmt, nIndex);
        case DbValue::Type::Integer: return sqlite3_bind_int64(pStmt, nIndex, value.integer);
        case DbValue::Type::Real: return sqlite3_bind_double(pStmt, nIndex, value.real);
        case DbValue::Type::Text: {
            const std::string text = winenv::ToUtf8(value.text);
            return sqlite3_bind_text(pStmt, nIndex, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        case DbValue::Type::Blob:
            // No bytes is not NULL; sqlite3_bind_blob would bind NULL for the null data pointer.
            if (value.blob.empty())
                return sqlite3_bind_zeroblob(pStmt, nIndex, 0);
            return sqlite3_bind_blob(pStmt, nIndex, value.blob.data(), static_cast<int>(value.blob.size()),
                SQLITE_TRANSIENT);
        }
        return SQLITE_MISUSE;
    }

    sqlite3* m_pDb;
    std::shared_ptr<StatementCache> m_cache;
    std::string m_strUtf8; // the text of the statement being run
    StatementShape m_shape; // its shape, when it has one
    std::wstring m_strLastError;
    int m_nReadDepth = 0;
    bool m_bOwnRead = false;
};

} // namespace

HRESULT OpenSqliteDatabase(const std::string& path, DbOpenMode mode, std::unique_ptr<IDatabase>& database)
{
    database.reset();
    // One thread at a time uses a connection (the command's, in its apartment; the server
    // backend's cancel thread never touches SQLite), so the connection's own mutex, taken on
    // every call in serialized mode, buys nothing.
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case DbOpenMode::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
    case DbOpenMode::ReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
    case DbOpenMode::Create: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    }
    sqlite3* pDb = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &pDb, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(pDb);
        return StatusFromSqlite(rc);
    }
    sqlite3_busy_timeout(pDb, 5000);
    if (mode == DbOpenMode::ReadOnly)
        sqlite3_set_authorizer(pDb, AuthorizeReadOnly, nullptr);
    if (mode != DbOpenMode::ReadOnly)
        sqlite3_exec(pDb, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    database = std::make_unique<SqliteDatabase>(pDb);
    return S_OK;
}

} // namespace qvclient
