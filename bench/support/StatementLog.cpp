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
