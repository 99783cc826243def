// Running another program as a child process, for the tests (what it printed, how it ended) and
// the benchmarks (how long it took).
#pragma once

#include <string>
#include <vector>

namespace viztest {

struct ChildRun {
    bool started = false;
    int exitCode = -1;     // -1 when it did not exit normally
    std::string out;       // what it printed, when kept
    std::string err;
    double seconds = 0;    // wall time from start to exit
    double cpuSeconds = 0; // user + system time of the child and of the children it waited for
};

// Kept: its output is collected for the caller; Discarded: it goes to /dev/null, so a timed run
// pays nothing for it.
enum class ChildOutput { Kept, Discarded };

// argv[0] is the program: a path, or a name looked up in PATH. Its input is /dev/null.
ChildRun RunChild(const std::vector<std::string>& argv, ChildOutput output = ChildOutput::Kept);

// The folder of the running program: the build's bin folder, where the module, the plug-ins,
// plmclient and the benchmarks' helpers land.
std::string ProgramFolder();

} // namespace viztest
