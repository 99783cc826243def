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
        qvclient::StatementText taken;
        for (int i = 1; i <= 200; ++i) {
            sqlite3_stmt* pStmt = cache.Take(again.text, again.hash, taken);
            if (pStmt == nullptr) {
                pStmt = prepare(again.text);
                ++prepares;
            }
            const std::string once = "SELECT " + std::to_string(i);
            cache.Give(qvclient::StatementText(once), prepare(once));
            cache.Give(again, pStmt);
        }
        EXPECT_EQ(1, prepares);
        const qvclient::StatementText first("SELECT 1"), last("SELECT 200");
        EXPECT_EQ(nullptr, cache.Take(first.text, first.hash, taken));
        sqlite3_stmt* pLast = cache.Take(last.text, last.hash, taken);
        EXPECT_NE(nullptr, pLast);
        EXPECT_EQ(last.text, taken.text);
        sqlite3_finalize(pLast);
    }
    sqlite3_close(db);
}

// A statement is worth keeping from its text's second run on, however many texts ran once
// in between; a text is not taken for one that ran before.
TEST(StatementCacheTest, TextRanBeforeFromItsSecondRun)
{
    qvclient::StatementCache cache;
    const size_t again = qvclient::StatementText::HashOf("SELECT ? FROM T_Relation");
    EXPECT_FALSE(cache.RanBefore(again));
    for (int i = 1; i <= 3; ++i) {
        const std::string once = "SELECT * FROM T_Part WHERE OBJ_ID = " + std::to_string(i);
        EXPECT_FALSE(cache.RanBefore(qvclient::StatementText::HashOf(once))) << once;
        EXPECT_TRUE(cache.RanBefore(again)) << "after " << once;
    }
}

} // namespace
