// A text's shape takes out only the literals whose place as a parameter cannot change the
// answer, and a statement run through its shape answers exactly as SQLite answers the text as
// written: the same column names, rows, order, types and errors.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include <winenv/Trace.h>

#include "ScratchFolder.h"
#include "SqlAnswer.h"
#include "db/StatementShape.h"
#include "qvclient/Database.h"

namespace {

using viztest::AnswerOfClient;
using viztest::AnswerOfSqlite;

// The shape's text and its literals ("i:2 t:pdf"), or "as written" when it has none.
std::string ShapeOf(const std::string& sql)
{
    qvclient::StatementShape shape;
    if (!shape.Make(sql))
        return "as written";
    std::string text = shape.Text() + " |";
    for (const auto& literal : shape.Literals())
        text += literal.kind == qvclient::ShapeLiteral::Kind::Integer ? " i:" + std::to_string(literal.integer)
                                                                       : " t:" + literal.Text();
    return text;
}

TEST(StatementShapeTest, TakesOutOnlyTheValuesOfConditions)
{
    struct Case {
        const char* sql;
        const char* shape;
    } cases[] = {
        // The module's own kind: ids and file types compared in ON and WHERE.
        {"SELECT a.x FROM A a INNER JOIN\tB b ON b.id = a.id AND b.cls = 5250 where a.OBJ_ID = 1135 and a.t = 'pdf'",
            "SELECT a.x FROM A a INNER JOIN\tB b ON b.id = a.id AND b.cls = ? where a.OBJ_ID = ? and a.t = ? | i:5250 "
            "i:1135 t:pdf"},
        {"SELECT x FROM A GROUP BY x HAVING COUNT(*) > 2", "SELECT x FROM A GROUP BY x HAVING COUNT(*) > ? | i:2"},
        {"SELECT x FROM A WHERE s = 'it''s' OR s = ''", "SELECT x FROM A WHERE s = ? OR s = ? | t:it's t:"},
        {"SELECT x FROM A WHERE id IN (SELECT b FROM B WHERE c = 3) AND id = -4",
            "SELECT x FROM A WHERE id IN (SELECT b FROM B WHERE c = ?) AND id = -? | i:3 i:4"},
        {"SELECT * FROM (SELECT 'k' AS k FROM A WHERE n = 1) WHERE k = 'k'",
            "SELECT * FROM (SELECT 'k' AS k FROM A WHERE n = ?) WHERE k = ? | i:1 t:k"},
        {"select x /* 'c' 1 */ from A where n=007 -- 'y'", "select x /* 'c' 1 */ from A where n=? -- 'y' | i:7"},
        // Literals that name a column, order by one, count, or are a pattern or a name: they stay.
        {"SELECT 'x', n + 1, (SELECT s FROM B WHERE id = 2) FROM A WHERE n = 1",
            "SELECT 'x', n + 1, (SELECT s FROM B WHERE id = 2) FROM A WHERE n = ? | i:1"},
        {"SELECT x FROM A WHERE n = 1 ORDER BY 1 LIMIT 5 OFFSET 2",
            "SELECT x FROM A WHERE n = ? ORDER BY 1 LIMIT 5 OFFSET 2 | i:1"},
        {"SELECT x FROM A WHERE s LIKE 'a%' ESCAPE '\\' AND s NOT GLOB 'b*' AND s = 'c' COLLATE 'NOCASE'",
            "SELECT x FROM A WHERE s LIKE 'a%' ESCAPE '\\' AND s NOT GLOB 'b*' AND s = ? COLLATE 'NOCASE' | t:c"},
        {"SELECT x FROM A WHERE n = 9223372036854775808 AND r = 2.5 AND h = 0x10 AND b = x'00' AND m = 1e3",
            "as written"},
        {"SELECT x FROM A WHERE n = 9223372036854775807", "SELECT x FROM A WHERE n = ? | i:9223372036854775807"},
        {"SELECT x FROM A WHERE 'A'.n = 1", "SELECT x FROM A WHERE 'A'.n = ? | i:1"},
        {"SELECT x FROM f(1, 'a') WHERE n = 2", "SELECT x FROM f(1, 'a') WHERE n = ? | i:2"},
        {"SELECT x FROM A UNION SELECT 5 ORDER BY 1", "as written"},
        // Texts the shape leaves to SQLite as they stand.
        {"SELECT x FROM A WHERE n = ?", "as written"},
        {"SELECT x FROM A WHERE n = :n", "as written"},
        {"SELECT x FROM A WHERE n = 1; DELETE FROM A WHERE n = 2", "as written"},
        {"SELECT x FROM A WHERE n = 12abc", "as written"},
        {"SELECT x FROM A WHERE s = 'open", "as written"},
        {"SELECT x FROM A WHERE (n = 1", "as written"},
        {"SELECT x FROM A WHERE n = 1)", "as written"},
        {"UPDATE A SET n = 2 WHERE n = 1", "as written"},
        {"WITH c AS (SELECT 1) SELECT * FROM c WHERE 1 = 1", "as written"},
        {"SELECT x FROM A", "as written"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shape, ShapeOf(c.sql)) << c.sql;
}

class StatementShapeAnswerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_folder.Posix() + "/shape.db";
        ASSERT_EQ(SQLITE_OK, sqlite3_open(m_path.c_str(), &m_raw));
        ASSERT_EQ(SQLITE_OK,
            sqlite3_exec(m_raw,
                "CREATE TABLE T (id INTEGER PRIMARY KEY, name TEXT, kind VARCHAR(8), n INTEGER, r REAL);"
                "CREATE INDEX IX_T_Kind ON T (kind);"
                "INSERT INTO T VALUES (1, 'a''s', 'pdf', 7, 0.5), (2, 'B', 'dwg', 7, NULL), (3, '图纸', 'pdf', NULL, 2),"
                "(4, 'b%', 'stp', -1, 1e300), (5, '', 'pdf', 8, -0.0);",
                nullptr, nullptr, nullptr));
        ASSERT_EQ(S_OK, qvclient::OpenSqliteDatabase(m_path, qvclient::DbOpenMode::ReadOnly, m_client));
    }
    void TearDown() override
    {
        m_client.reset();
        sqlite3_close(m_raw);
    }

    viztest::ScratchFolder m_folder;
    std::string m_path;
    sqlite3* m_raw = nullptr;
    std::unique_ptr<qvclient::IDatabase> m_client;
};

TEST_F(StatementShapeAnswerTest, ClientAnswersAsTheTextAsWritten)
{
    const char* statements[] = {
        "SELECT id, name FROM T WHERE id = 2",
        "SELECT name, id FROM T WHERE kind = 'pdf' AND id <> 0 ORDER BY 1",
        "SELECT 'x', id + 1, name FROM T WHERE id = 1",
        "SELECT (SELECT name FROM T WHERE id = 1), id FROM T WHERE id = 2",
        "SELECT * FROM (SELECT id, 'k' AS k FROM T WHERE id > 1) WHERE k = 'k' ORDER BY id DESC",
        "SELECT id FROM T WHERE name LIKE 'b%' ESCAPE '\\'",
        "SELECT id FROM T WHERE name = 'a''s'",
        "SELECT id FROM T WHERE n = '7' ORDER BY id",
        "SELECT id FROM T WHERE kind = 7",
        "SELECT id, name = 'B' FROM T WHERE name = 'b' COLLATE NOCASE",
        "SELECT kind, COUNT(*) FROM T GROUP BY kind HAVING COUNT(*) > 1",
        "SELECT id FROM T WHERE id IN (1, 3, 5) ORDER BY 1 DESC LIMIT 2",
        "SELECT id FROM T WHERE n = 9223372036854775808 OR n = -7 OR id = -(-2)",
        "SELECT id FROM T WHERE r = 0.5 OR r = 2 OR r = 1e300 OR name = x'42' OR id = 0x4",
        "SELECT id, n / 2, n / 2.0, '5' + n FROM T WHERE n / 2 = 3 AND n % 2 = 1",
        "SELECT CASE WHEN id = 1 THEN 'one' END, typeof(r) FROM T WHERE kind = 'pdf' AND (r IS NOT 2 OR r IS NULL)",
        "SELECT T.id FROM T JOIN T AS U ON U.id = T.id AND U.kind = 'dwg'",
        "SELECT id FROM T WHERE id = 1 UNION SELECT 5 ORDER BY 1 DESC",
        "SELECT id FROM T WHERE 'T'.id = 3",
        "SELECT id FROM T WHERE id IN 'T' AND id = 3",
        "SELECT id FROM T WHERE id = 1 AND nosuch = 2",
        "SELECT id FROM T WHERE id = 12abc",
        "SELECT id FROM T WHERE name = 'open",
        "SELECT id FROM T WHERE id = 1; SELECT 2",
        "SELECT id FROM nosuch WHERE id = 1",
        "SELECT id FROM T WHERE abs(n - 9223372036854775807) > 0 AND n = -1",
    };
    // Three runs each: the first and second prepare, the third takes the kept statement.
    for (int run = 0; run < 3; ++run)
        for (const char* sql : statements)
            EXPECT_EQ(AnswerOfSqlite(m_raw, sql), AnswerOfClient(*m_client, sql)) << sql << " (run " << run << ")";
}

// One kept statement serves its shape for every value, also while a cursor of it is still open.
TEST_F(StatementShapeAnswerTest, EachRunOfAShapeAnswersForItsOwnValues)
{
    const std::string head = "SELECT name FROM T WHERE kind = 'pdf' AND id = ";
    std::unique_ptr<qvclient::IDbCursor> outer;
    ASSERT_EQ(S_OK, m_client->Query(winenv::FromUtf8(head + "1"), {}, outer));
    for (int id = 1; id <= 5; ++id) {
        const std::string sql = head + std::to_string(id);
        EXPECT_EQ(AnswerOfSqlite(m_raw, sql), AnswerOfClient(*m_client, sql)) << sql;
        EXPECT_EQ(AnswerOfSqlite(m_raw, sql), AnswerOfClient(*m_client, sql)) << sql;
    }
    ASSERT_FALSE(outer->IsEof());
    EXPECT_EQ(L"a's", outer->GetValue(0).text);
}

} // namespace
