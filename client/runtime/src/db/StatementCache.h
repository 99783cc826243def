// Idle prepared SQLite statements by their text, so that a text run again skips the parse.
// Shared by the connection and its cursors: a cursor gives its statement back when it ends.
// When full, the statement idle longest makes room: the module's texts carry their ids, so most
// are run once, and they must not crowd out the client's own parameterised ones.
#pragma once

#include <sqlite3.h>

#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

namespace qvclient {

class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // An idle statement of this text, reset and without bindings; null when there is none.
    sqlite3_stmt* Take(const std::string& text);
    // Keeps the statement for the next Take of its text (finalizes it when the cache already
    // holds one of that text).
    void Give(const std::string& text, sqlite3_stmt* pStmt);

private:
    static constexpr size_t kCapacity = 64;
    using Entry = std::pair<std::string, sqlite3_stmt*>;
    std::mutex m_mutex;
    std::list<Entry> m_byAge; // oldest first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_idle;
};

} // namespace qvclient
