#include "ViewerLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace viewer {

bool LaunchingEnabled()
{
    const char* v = std::getenv("PLM_VIEWER_LAUNCH");
    return v && std::strcmp(v, "1") == 0;
}

bool LaunchViewer(const std::string& program, const std::string& posixFile)
{
    std::string prog = program, file = posixFile;
    std::vector<char*> argv = {prog.data(), file.data(), nullptr};
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, prog.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    return rc == 0;
}

} // namespace viewer
