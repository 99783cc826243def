// peak_rss OUTFILE PROGRAM [ARG...]: runs the program, writes its peak resident set in KiB to
// OUTFILE and exits with its status. Measured from a small process of its own because on Linux a
// child's ru_maxrss starts at the peak of the process that spawned it (exec records the high-water
// mark of the memory it leaves): a benchmark that has grown would be measured instead of its child.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>

extern char** environ;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: peak_rss OUTFILE PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0)
        return 127;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 127;
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr)
        return 127;
    const bool written = std::fprintf(out, "%ld\n", usage.ru_maxrss) > 0;
    if (std::fclose(out) != 0 || !written)
        return 127;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
