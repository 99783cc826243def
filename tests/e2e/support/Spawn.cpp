#include "Spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace e2e {

namespace {

// A temporary file that collects one output stream of the child.
class CaptureFile {
public:
    CaptureFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "e2e-out-XXXXXX").string();
        m_fd = mkstemp(pattern.data());
        m_path = pattern;
    }
    ~CaptureFile()
    {
        if (m_fd >= 0)
            close(m_fd);
        unlink(m_path.c_str());
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

} // namespace

ProgramRun RunProgram(const std::vector<std::string>& argv)
{
    ProgramRun run;
    CaptureFile out, err;
    if (argv.empty() || out.Fd() < 0 || err.Fd() < 0)
        return run;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.Fd(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.Fd(), 2);

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return run;
    run.started = true;

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = out.Read();
    run.err = err.Read();
    return run;
}

std::string ProgramFolder()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

std::string PdfText(const std::string& posixPath)
{
    const ProgramRun run = RunProgram({"pdftotext", "-q", posixPath, "-"});
    return run.exitCode == 0 ? run.out : std::string();
}

} // namespace e2e
