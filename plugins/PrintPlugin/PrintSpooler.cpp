#include "PrintSpooler.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

extern char** environ;

namespace printplugin {
namespace {

std::string SpoolFolder()
{
    if (const char* folder = std::getenv("PLM_PRINT_SPOOL"); folder && *folder)
        return folder;
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/PrintSpool";
}

bool MakeFolders(const std::string& path)
{
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
        if (i < path.size())
            partial += path[i];
    }
    return true;
}

PrintJobResult PrintOnPrinter(const std::string& printer, const std::vector<std::string>& files)
{
    PrintJobResult result;
    result.destination = "printer:" + printer;
    if (files.empty()) {
        result.ok = true;
        result.detail = "nothing to print";
        return result;
    }
    std::vector<std::string> args = {"lp", "-d", printer, "--"};
    args.insert(args.end(), files.begin(), files.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, "lp", nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        result.detail = std::string("cannot start lp: ") + std::strerror(rc);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.detail = "lp exit status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return result;
}

PrintJobResult WriteSpoolFile(const std::vector<std::string>& files)
{
    PrintJobResult result;
    const std::string folder = SpoolFolder();
    if (!MakeFolders(folder)) {
        result.detail = "cannot create " + folder;
        return result;
    }
    static unsigned sequence = 0;
    const auto stamp = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch()).count();
    result.destination = folder + "/job-" + std::to_string(stamp) + "-" + std::to_string(getpid()) + "-" +
        std::to_string(++sequence) + ".txt";
    std::ofstream out(result.destination, std::ios::binary);
    for (const auto& f : files)
        out << f << '\n';
    out.close();
    result.ok = static_cast<bool>(out);
    result.detail = std::to_string(files.size()) + " file(s)";
    return result;
}

} // namespace

PrintJobResult SubmitPrintJob(const std::vector<std::string>& posixPaths)
{
    if (const char* printer = std::getenv("PLM_PRINTER"); printer && *printer)
        return PrintOnPrinter(printer, posixPaths);
    return WriteSpoolFile(posixPaths);
}

} // namespace printplugin
