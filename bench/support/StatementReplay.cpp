#include "StatementReplay.h"

#include <sqlite3.h>

namespace vizbench {

bool ReplayStatements(const std::string& database, const std::vector<std::string>& statements, bool oneTransaction)
{
    sqlite3* db = nullptr;
    // No threading flag: the library's own default, as a plain sqlite3 program gets it.
    bool ok = sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
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
