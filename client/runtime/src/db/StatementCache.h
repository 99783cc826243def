// Idle prepared SQLite statements by their text, so that a text run again skips the parse.
// Shared by the connection and its cursors: a cursor gives its statement back when it ends.
// When full, the statement idle longest makes room: the module's texts carry their ids, so most
// are run once, and they must not crowd out the client's own parameterised ones.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace qvclient {

// A statement's UTF-8 text with its hash, worked out once for the Take and the Give of a run:
// the module's texts are near a thousand characters, and most are run once.
struct StatementText {
    explicit StatementText(std::string utf8) : text(std::move(utf8)), hash(std::hash<std::string>{}(text)) {}
    std::string text;
    size_t hash;
};

class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // An idle statement of this text, reset and without bindings; null when there is none.
    sqlite3_stmt* Take(const StatementText& text);
    // Keeps the statement for the next Take of its text (finalizes it when the cache already
    // holds one of that text).
    void Give(StatementText text, sqlite3_stmt* pStmt);

private:
    static constexpr size_t kCapacity = 64;
    using Entry = std::pair<StatementText, sqlite3_stmt*>;
    // Views a text held in m_byAge (or the one a Take is given), with its hash.
    struct Key {
        std::string_view text;
        size_t hash;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const { return key.hash; }
    };
    struct KeyEqual {
        bool operator()(const Key& a, const Key& b) const { return a.text == b.text; }
    };
    static Key KeyOf(const StatementText& text) { return {text.text, text.hash}; }

    std::mutex m_mutex;
    std::list<Entry> m_byAge; // oldest first
    std::unordered_map<Key, std::list<Entry>::iterator, KeyHash, KeyEqual> m_idle;
};

} // namespace qvclient
