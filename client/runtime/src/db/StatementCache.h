// Idle prepared SQLite statements by their text, so that a text run again skips the parse.
// Shared by the connection and its cursors: a cursor gives its statement back when it ends.
// A statement is kept from its text's second run on: the module's texts carry their ids, so
// most are run once, and a statement kept for nothing holds its memory while the heap serves
// the next parse. When full, the statement idle longest makes room.
#pragma once

#include <sqlite3.h>

#include <array>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace qvclient {

// A statement's UTF-8 text with its hash, worked out once for the Take and the Give of a run:
// the module's texts are near a thousand characters.
struct StatementText {
    StatementText() = default;
    explicit StatementText(std::string utf8) : text(std::move(utf8)), hash(HashOf(text)) {}
    StatementText(std::string_view utf8, size_t textHash) : text(utf8), hash(textHash) {}
    static size_t HashOf(std::string_view utf8) { return std::hash<std::string_view>{}(utf8); }
    std::string text;
    size_t hash = 0;
};

class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // An idle statement of this text, reset and without bindings, its text moved into taken;
    // null when there is none.
    sqlite3_stmt* Take(std::string_view text, size_t hash, StatementText& taken);
    // Notes a run of a text that found no idle statement, and says whether a text of this hash
    // ran before, so that its statement is worth giving back. A text of the same hash as the
    // one last noted in its slot counts as run before: at worst a statement is kept for nothing.
    bool RanBefore(size_t hash);
    // Keeps the statement for the next Take of its text (finalizes it when the cache already
    // holds one of that text).
    void Give(StatementText text, sqlite3_stmt* pStmt);

private:
    static constexpr size_t kCapacity = 64;
    static constexpr size_t kRunSlots = 1024; // hashes of texts run lately, by hash
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
    std::array<size_t, kRunSlots> m_runs{}; // 0: no text noted
};

} // namespace qvclient
