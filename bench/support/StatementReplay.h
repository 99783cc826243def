// A replay of logged statements with plain prepare/step.
#pragma once

#include <string>
#include <vector>

namespace vizbench {

// Prepares and steps every statement through to its end on a read-only connection to the
// database file: all in one read transaction, or each in its own. False when one fails.
bool ReplayStatements(const std::string& database, const std::vector<std::string>& statements,
    bool oneTransaction);

} // namespace vizbench
