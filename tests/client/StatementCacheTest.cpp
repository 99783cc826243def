#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>

#include "db/StatementCache.h"

namespace {

// The module's texts carry their ids and run once each; the client's own parameterised text, out
// of the cache while they arrive, must still find room when it comes back.
TEST(StatementCacheTest, FullCacheDropsTheStatementIdleLongest)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(":memory:", &db));
    auto prepare = [db](const std::string& text) {
        sqlite3_stmt* pStmt = nullptr;
        sqlite3_prepare_v2(db, text.c_str(), -1, &pStmt, nullptr);
        return pStmt;
    };
    {
        qvclient::StatementCache cache;
        const qvclient::StatementText again("SELECT ?");
        int prepares = 0;
        for (int i = 1; i <= 200; ++i) {
            sqlite3_stmt* pStmt = cache.Take(again);
            if (pStmt == nullptr) {
                pStmt = prepare(again.text);
                ++prepares;
            }
            const std::string once = "SELECT " + std::to_string(i);
            cache.Give(qvclient::StatementText(once), prepare(once));
            cache.Give(again, pStmt);
        }
        EXPECT_EQ(1, prepares);
        EXPECT_EQ(nullptr, cache.Take(qvclient::StatementText("SELECT 1")));
        sqlite3_stmt* pLast = cache.Take(qvclient::StatementText("SELECT 200"));
        EXPECT_NE(nullptr, pLast);
        sqlite3_finalize(pLast);
    }
    sqlite3_close(db);
}

} // namespace
