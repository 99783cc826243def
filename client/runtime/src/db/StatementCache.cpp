#include "StatementCache.h"

namespace qvclient {

StatementCache::~StatementCache()
{
    for (auto& entry : m_idle)
        sqlite3_finalize(entry.second);
}

sqlite3_stmt* StatementCache::Take(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_idle.find(text);
    if (found == m_idle.end())
        return nullptr;
    sqlite3_stmt* pStmt = found->second;
    m_idle.erase(found);
    return pStmt;
}

void StatementCache::Give(const std::string& text, sqlite3_stmt* pStmt)
{
    if (pStmt == nullptr)
        return;
    {
        // A statement that will not be kept is finalized as it is, without a reset first.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_idle.size() < kCapacity && m_idle.find(text) == m_idle.end()) {
            sqlite3_reset(pStmt);
            sqlite3_clear_bindings(pStmt);
            m_idle.emplace(text, pStmt);
            return;
        }
    }
    sqlite3_finalize(pStmt);
}

} // namespace qvclient
