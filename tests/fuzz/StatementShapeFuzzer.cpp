// A SELECT run through its shape (its condition literals bound as parameters) answers exactly
// as SQLite answers the text as written: the same column names, rows in the same order, the
// same values and types, the same error. A text the shape leaves alone runs as written on both
// sides, so only shaped texts are compared.
//
// Input: one SQL text, on a copy of the PLM database VIZ_FUZZ_DATABASE names (scripts/fuzz.sh
// gives the demo's) with a small table of mixed types added (T: id, name, kind, n, r, b).
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "ScratchFolder.h"
#include "SqlAnswer.h"
#include "db/StatementShape.h"
#include "qvclient/Database.h"

#include <winenv/Trace.h>

namespace {

// Both connections on one scratch copy, closed before the folder goes at exit.
struct Databases {
    Databases()
    {
        const std::string path = folder.Posix() + "/shape.db";
        if (const char* pszDatabase = std::getenv("VIZ_FUZZ_DATABASE"))
            std::filesystem::copy_file(pszDatabase, path);
        sqlite3* made = nullptr;
        if (sqlite3_open(path.c_str(), &made) != SQLITE_OK ||
            sqlite3_exec(made,
                "CREATE TABLE T (id INTEGER PRIMARY KEY, name TEXT, kind VARCHAR(8), n INTEGER, r REAL, b);"
                "CREATE INDEX IX_T_Kind ON T (kind);"
                "INSERT INTO T VALUES (1, 'a''s', 'pdf', 7, 0.5, x'00'), (2, 'B', 'dwg', 7, NULL, 'b'),"
                "(3, '图纸', 'pdf', NULL, 2, 3), (4, 'b%', 'stp', -1, 1e300, NULL), (5, '', 'pdf', 8, -0.0, 2.5),"
                "(6, '7', '7', '7', '7', '7');",
                nullptr, nullptr, nullptr) != SQLITE_OK)
            std::abort();
        sqlite3_close(made);
        if (sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            FAILED(qvclient::OpenSqliteDatabase(path, qvclient::DbOpenMode::ReadOnly, client)))
            std::abort();
    }
    ~Databases()
    {
        client.reset();
        sqlite3_close(raw);
    }
    viztest::ScratchFolder folder;
    sqlite3* raw = nullptr;
    std::unique_ptr<qvclient::IDatabase> client;
};

Databases& Open()
{
    static Databases databases;
    return databases;
}

// Functions whose answer differs between two runs of one text.
bool AnswersVary(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* word : {"random", "now", "current_", "changes", "last_insert", "sqlite_", "load_extension"})
        if (text.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2000)
        return 0;
    std::string sql(reinterpret_cast<const char*>(data), size);
    sql.erase(std::remove(sql.begin(), sql.end(), '\0'), sql.end());
    // The client is given wide texts: bytes that are no UTF-8 never reach it.
    if (winenv::ToUtf8(winenv::FromUtf8(sql)) != sql)
        return 0;
    qvclient::StatementShape shape;
    if (!shape.Make(sql) || AnswersVary(sql))
        return 0;
    Databases& d = Open();
    const std::string written = viztest::AnswerOfSqlite(d.raw, sql);
    // Twice: the first run prepares the shape, the second takes the statement kept for it.
    for (int run = 0; run < 2; ++run) {
        const std::string shaped = viztest::AnswerOfClient(*d.client, sql);
        if (shaped != written) {
            std::fprintf(stderr, "statement shape: the answers differ (run %d)\n%s\n-- as written:\n%s\n-- shaped (%s):\n%s\n",
                run + 1, sql.c_str(), written.c_str(), shape.Text().c_str(), shaped.c_str());
            std::abort();
        }
    }
    return 0;
}
