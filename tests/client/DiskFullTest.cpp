// A copy of a stored file onto a disk too small for it: the copy fails as Windows reports a full
// disk, and the target folder holds what it held before, byte for byte. The disk is a small tmpfs
// mounted in a child process's own mount namespace.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "ClientTestFolder.h"

namespace {

constexpr int kCannotMount = 77;

bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// A mount namespace of our own: as root directly, else as root of a new user namespace.
bool EnterOwnMountNamespace()
{
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWNS) != 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        WriteText("/proc/self/setgroups", "deny");
        if (!WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    }
    return mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Runs the body in a child process that sees a tmpfs of cbDisk bytes on the folder; gives the
// body's report, or nullopt when no tmpfs can be mounted here.
std::optional<std::string> RunOnSmallDisk(const std::string& folder, size_t cbDisk,
    const std::function<std::string()>& body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return std::string("no pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (!EnterOwnMountNamespace() ||
            mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + std::to_string(cbDisk)).c_str()) != 0)
            _exit(kCannotMount);
        const std::string report = body();
        const bool bSent = write(fds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        _exit(bSent ? 0 : 1);
    }
    close(fds[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotMount)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return report + "\nthe child process failed (status " + std::to_string(status) + ")";
    return report;
}

std::string Listing(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

struct DiskCase {
    const char* name;
    size_t cbContent;
    size_t cbOldTarget; // 0: no file under the target's name before
    HRESULT expected;
};

TEST(DiskFullTest, AFileThatDoesNotFitFailsAndLeavesTheFolderAsItWas)
{
    constexpr size_t kDisk = 256 * 1024;
    const DiskCase cases[] = {
        {"fits", 100 * 1024, 0, S_OK},
        {"fits over an old file", 60 * 1024, 60 * 1024, S_OK},
        {"one page more than the disk", kDisk + 4096, 0, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
        {"four times the disk", 4 * kDisk, 0, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
        {"no room for the old and the new", 160 * 1024, 120 * 1024, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
    };
    ClientTestFolder folder;
    std::vector<LONG> ids;
    for (const DiskCase& c : cases)
        ids.push_back(folder.Builder().AddStoredFile(L"f.dwg", std::string(c.cbContent, c.name[0])));
    ASSERT_EQ(S_OK, folder.Builder().GetStatus());
    const std::string out = folder.PosixFolder() + "/out";

    const std::optional<std::string> report = RunOnSmallDisk(out, kDisk, [&]() -> std::string {
        std::ostringstream failures;
        if (folder.OpenClient() != S_OK)
            return "the client did not open";
        for (size_t i = 0; i < std::size(cases); ++i) {
            const DiskCase& c = cases[i];
            std::filesystem::remove_all(out + "/target.dwg");
            const std::string old(c.cbOldTarget, 'o');
            if (c.cbOldTarget > 0 && !WriteText(out + "/target.dwg", old))
                return std::string(c.name) + ": the old file does not fit";
            const std::string before = Listing(out);
            const HRESULT hr = DownloadStoredFile(ids[i], folder.OutputPath(L"target.dwg"));
            if (hr != c.expected)
                failures << c.name << ": " << std::hex << hr << " instead of " << c.expected << std::dec << "\n";
            const std::string content = ReadFileBytes(out + "/target.dwg");
            if (SUCCEEDED(c.expected) && content != std::string(c.cbContent, c.name[0]))
                failures << c.name << ": the target is not the content\n";
            if (FAILED(c.expected) && content != old)
                failures << c.name << ": the old target changed\n";
            const std::string after = Listing(out);
            if (FAILED(c.expected) && after != before)
                failures << c.name << ": the folder held [" << before << "], now [" << after << "]\n";
        }
        return failures.str();
    });
    if (!report)
        GTEST_SKIP() << "no tmpfs can be mounted here (no mount namespace of our own)";
    EXPECT_EQ("", *report);
}

} // namespace
