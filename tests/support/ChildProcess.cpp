#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>

extern char** environ;

namespace viztest {

namespace {

// A temporary file that collects one output stream of the child.
class CaptureFile {
public:
    CaptureFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "viztest-out-XXXXXX").string();
        m_fd = mkstemp(pattern.data());
        m_path = pattern;
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;
    ~CaptureFile()
    {
        if (m_fd >= 0) {
            close(m_fd);
            unlink(m_path.c_str());
        }
    }
    int Fd() const { return m_fd; }
    std::string Read() const
    {
        std::string text;
        char buffer[4096];
        lseek(m_fd, 0, SEEK_SET);
        for (ssize_t n; (n = read(m_fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<size_t>(n));
        return text;
    }

private:
    int m_fd = -1;
    std::string m_path;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

} // namespace

ChildRun RunChild(const std::vector<std::string>& argv, ChildOutput output)
{
    ChildRun run;
    if (argv.empty())
        return run;
    const bool bKept = output == ChildOutput::Kept;
    std::optional<CaptureFile> out, err;
    if (bKept) {
        out.emplace();
        err.emplace();
        if (out->Fd() < 0 || err->Fd() < 0)
            return run;
    }

    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
    if (bKept) {
        posix_spawn_file_actions_adddup2(actions.Get(), out->Fd(), 1);
        posix_spawn_file_actions_adddup2(actions.Get(), err->Fd(), 2);
    } else {
        posix_spawn_file_actions_addopen(actions.Get(), 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(actions.Get(), 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], actions.Get(), nullptr, args.data(), environ) != 0)
        return run;
    run.started = true;

    int status = 0;
    rusage usage{};
    pid_t waited;
    while ((waited = wait4(pid, &status, 0, &usage)) < 0 && errno == EINTR) {
    }
    if (waited != pid)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    if (bKept) {
        run.out = out->Read();
        run.err = err->Read();
    }
    return run;
}

std::string ProgramFolder()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

} // namespace viztest
