// Every statement the process runs on SQLite, as the engine ran it (parameters written in),
// while a StatementLog records.
#pragma once

#include <string>
#include <vector>

namespace vizbench {

// Records while it lives (one at a time). The program must export sqlite3_step (link with
// ENABLE_EXPORTS) or have the recorder preloaded, so that the client library's calls reach it
// first.
class StatementLog {
public:
    StatementLog();
    ~StatementLog();
    StatementLog(const StatementLog&) = delete;
    StatementLog& operator=(const StatementLog&) = delete;

    const std::vector<std::string>& Statements() const { return m_statements; }

private:
    friend void RecordStatement(const char* text);
    std::vector<std::string> m_statements;
};

} // namespace vizbench
