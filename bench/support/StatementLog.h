// Every statement the process runs on SQLite, as the engine ran it (parameters written in),
// while a StatementLog records; and a replay of such a list with plain prepare/step.
#pragma once

#include <string>
#include <vector>

namespace vizbench {

// Records while it lives (one at a time). The program must export sqlite3_step (link with
// ENABLE_EXPORTS) so that the client library's calls reach the recorder first.
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

// Prepares and steps every statement through to its end on a read-only connection to the
// database file: all in one read transaction, or each in its own. False when one fails.
bool ReplayStatements(const std::string& database, const std::vector<std::string>& statements,
    bool oneTransaction);

} // namespace vizbench
