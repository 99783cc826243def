#include "StatementLog.h"

#include <dlfcn.h>
#include <sqlite3.h>

namespace vizbench {

namespace {
StatementLog* g_log = nullptr;
}

// What the module and the client's reads send; the client's own transaction control is left
// out (the replay brings its own).
void RecordStatement(const char* text)
{
    if (g_log == nullptr || text == nullptr)
        return;
    const std::string statement = text;
    for (const char* control : {"BEGIN", "COMMIT", "ROLLBACK"})
        if (statement.rfind(control, 0) == 0)
            return;
    g_log->m_statements.push_back(statement);
}

StatementLog::StatementLog() { g_log = this; }

StatementLog::~StatementLog() { g_log = nullptr; }

bool ReplayStatements(const std::string& database, const std::vector<std::string>& statements, bool oneTransaction)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) ==
              SQLITE_OK;
    if (ok && oneTransaction)
        ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (size_t i = 0; ok && i < statements.size(); ++i) {
        sqlite3_stmt* stmt = nullptr;
        ok = sqlite3_prepare_v2(db, statements[i].data(), static_cast<int>(statements[i].size()), &stmt, nullptr) ==
             SQLITE_OK;
        int rc = SQLITE_ROW;
        while (ok && rc == SQLITE_ROW)
            rc = sqlite3_step(stmt);
        ok = ok && rc == SQLITE_DONE;
        sqlite3_finalize(stmt);
    }
    if (ok && oneTransaction)
        ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace vizbench

// Seen by the client library in place of SQLite's own: a statement's first step records it.
extern "C" int sqlite3_step(sqlite3_stmt* stmt)
{
    using Step = int (*)(sqlite3_stmt*);
    static const Step next = reinterpret_cast<Step>(dlsym(RTLD_NEXT, "sqlite3_step"));
    if (vizbench::g_log != nullptr && !sqlite3_stmt_busy(stmt)) {
        char* text = sqlite3_expanded_sql(stmt);
        vizbench::RecordStatement(text);
        sqlite3_free(text);
    }
    return next(stmt);
}
