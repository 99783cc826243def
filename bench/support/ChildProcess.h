// Running a program as a child process for process-against-process comparisons.
#pragma once

#include <string>
#include <vector>

namespace vizbench {

struct ChildResult {
    bool ok = false;       // started and exited with status 0
    double seconds = 0;    // wall time from start to exit
    double cpuSeconds = 0; // user + system time of the child and of the children it waited for
};

// Runs argv[0] (searched on PATH) with the arguments, output thrown away, and waits for it.
ChildResult RunChild(const std::vector<std::string>& argv);

// The folder of the running program (the build's bin folder for the benchmarks).
std::string ProgramFolder();

} // namespace vizbench
