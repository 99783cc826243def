#include "StatementCache.h"

#include <iterator>

namespace qvclient {

StatementCache::~StatementCache()
{
    for (auto& entry : m_byAge)
        sqlite3_finalize(entry.second);
}

sqlite3_stmt* StatementCache::Take(std::string_view text, size_t hash, StatementText& taken)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_idle.find(Key{text, hash});
    if (found == m_idle.end())
        return nullptr;
    const auto entry = found->second;
    m_idle.erase(found); // before the text its key views
    sqlite3_stmt* pStmt = entry->second;
    taken = std::move(entry->first);
    m_byAge.erase(entry);
    return pStmt;
}

bool StatementCache::RanBefore(size_t hash)
{
    const size_t noted = hash != 0 ? hash : 1;
    std::lock_guard<std::mutex> lock(m_mutex);
    size_t& slot = m_runs[noted % kRunSlots];
    const bool bRanBefore = slot == noted;
    slot = noted;
    return bRanBefore;
}

void StatementCache::Give(StatementText text, sqlite3_stmt* pStmt)
{
    if (pStmt == nullptr)
        return;
    sqlite3_stmt* pDropped = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_byAge.emplace_back(std::move(text), pStmt);
        const auto newest = std::prev(m_byAge.end());
        if (!m_idle.try_emplace(KeyOf(newest->first), newest).second) {
            // A statement that will not be kept is finalized as it is, without a reset first.
            m_byAge.pop_back();
            pDropped = pStmt;
        } else {
            sqlite3_reset(pStmt);
            sqlite3_clear_bindings(pStmt);
            if (m_idle.size() > kCapacity) {
                pDropped = m_byAge.front().second;
                m_idle.erase(KeyOf(m_byAge.front().first));
                m_byAge.pop_front();
            }
        }
    }
    if (pDropped != nullptr)
        sqlite3_finalize(pDropped);
}

} // namespace qvclient
