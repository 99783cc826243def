#include "StatementCache.h"

#include <iterator>

namespace qvclient {

StatementCache::~StatementCache()
{
    for (auto& entry : m_byAge)
        sqlite3_finalize(entry.second);
}

sqlite3_stmt* StatementCache::Take(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_idle.find(text);
    if (found == m_idle.end())
        return nullptr;
    sqlite3_stmt* pStmt = found->second->second;
    m_byAge.erase(found->second);
    m_idle.erase(found);
    return pStmt;
}

void StatementCache::Give(const std::string& text, sqlite3_stmt* pStmt)
{
    if (pStmt == nullptr)
        return;
    sqlite3_stmt* pDropped = pStmt;
    {
        // A statement that will not be kept is finalized as it is, without a reset first.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_idle.find(text) == m_idle.end()) {
            pDropped = nullptr;
            if (m_idle.size() >= kCapacity) {
                pDropped = m_byAge.front().second;
                m_idle.erase(m_byAge.front().first);
                m_byAge.pop_front();
            }
            sqlite3_reset(pStmt);
            sqlite3_clear_bindings(pStmt);
            m_byAge.emplace_back(text, pStmt);
            m_idle.emplace(text, std::prev(m_byAge.end()));
        }
    }
    if (pDropped != nullptr)
        sqlite3_finalize(pDropped);
}

} // namespace qvclient
