// The statements another process ran, kept in a file between it and the replay.
#pragma once

#include <string>
#include <vector>

namespace vizbench {

// The environment variable that names the file a preloaded recorder writes.
constexpr const char* kStatementFileVariable = "VIZ_STATEMENT_FILE";

// The statements of a log file, each ended by a NUL (a statement may span lines).
std::vector<std::string> ReadStatementFile(const std::string& path);
bool WriteStatementFile(const std::string& path, const std::vector<std::string>& statements);

} // namespace vizbench
