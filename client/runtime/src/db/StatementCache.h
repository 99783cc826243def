// Idle prepared SQLite statements by their text, so that a text run again skips the parse.
// Shared by the connection and its cursors: a cursor gives its statement back when it ends.
#pragma once

#include <sqlite3.h>

#include <mutex>
#include <string>
#include <unordered_map>

namespace qvclient {

class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // An idle statement of this text, reset and without bindings; null when there is none.
    sqlite3_stmt* Take(const std::string& text);
    // Keeps the statement for the next Take of its text (finalizes it when the cache is full or
    // already holds one of that text).
    void Give(const std::string& text, sqlite3_stmt* pStmt);

private:
    static constexpr size_t kCapacity = 64;
    std::mutex m_mutex;
    std::unordered_map<std::string, sqlite3_stmt*> m_idle;
};

} // namespace qvclient
