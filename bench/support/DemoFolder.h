// Demo client folders for benchmarks, made once per size and kept under /tmp (the generator
// makes the same database for the same size, so a later run reuses it).
#pragma once

#include <string>

#include <qvclient/DemoDatabase.h>

namespace vizbench {

// The large demo (1,000 parts, 30,000 light files) scaled by the number of parts: 500, 1,000
// or 2,000 parts give 0.5x, 1x and 2x, each part with the same documents and files; 0 parts
// gives the small demo (the one whose ids the README uses).
qvclient::DemoSize DemoSizeForParts(int parts);

// The POSIX path of a client folder holding the demo of that size, made when missing. `variant`
// names a copy changed by `prepare` (an SQL script run on it once), e.g. without signatures.
// Empty when it cannot be made.
std::string DemoFolder(int parts, qvclient::DemoDatabaseInfo& info, const std::string& variant = std::string(),
    const std::string& prepare = std::string());

} // namespace vizbench
