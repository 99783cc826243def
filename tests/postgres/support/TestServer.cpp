#include "TestServer.h"

#include <signal.h>
#include <sys/types.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace pgtest {
namespace {

std::string Environment(const char* pszName)
{
    const char* psz = std::getenv(pszName);
    return psz != nullptr ? psz : "";
}

bool RunServerScript(const char* pszCommand)
{
    const std::string dir = Environment("VIZ_TEST_PG_DIR");
    if (dir.empty())
        return false;
    const std::string command =
        std::string("'") + VIZ_PG_SERVER_SCRIPT + "' " + pszCommand + " '" + dir + "' >/dev/null";
    return std::system(command.c_str()) == 0;
}

// The postmaster (the first line of its pid file) and its children.
std::vector<pid_t> ServerProcesses()
{
    std::vector<pid_t> pids;
    std::ifstream pidFile(Environment("VIZ_TEST_PG_DIR") + "/data/postmaster.pid");
    pid_t postmaster = 0;
    if (!(pidFile >> postmaster) || postmaster <= 0)
        return pids;
    pids.push_back(postmaster);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line))
            continue;
        // pid (comm) state ppid ...: the command may hold blanks and parentheses.
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        std::string state;
        pid_t parent = 0;
        if (rest >> state >> parent && parent == postmaster)
            pids.push_back(std::stoi(entry.path().filename().string()));
    }
    return pids;
}

bool SignalServer(int signal)
{
    const std::vector<pid_t> pids = ServerProcesses();
    bool ok = !pids.empty();
    for (pid_t pid : pids)
        ok = kill(pid, signal) == 0 && ok;
    return ok;
}

} // namespace

bool FreezeServer()
{
    return SignalServer(SIGSTOP);
}

bool ThawServer()
{
    return SignalServer(SIGCONT);
}

std::string OwnerConnection()
{
    return Environment("VIZ_TEST_PG");
}

std::string ReaderConnection()
{
    return Environment("VIZ_TEST_PG_READER");
}

bool StopServer()
{
    return RunServerScript("stop");
}

bool StartServer()
{
    return RunServerScript("start");
}

} // namespace pgtest
