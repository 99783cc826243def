// poppler's pdfinfo and pdftoppm read and render the PDF, ZBar's zbarimg reads the codes: the
// program maps none of their libraries.
#include "MarkReader.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

extern char** environ;

namespace plmclient {
namespace {

// The tool's standard output, or false when it could not run or failed.
bool RunTool(std::vector<std::string> args, std::string& output)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0, 0);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    output.clear();
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        output.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (rc != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Every QR code zbarimg finds in the image, one text each.
std::vector<std::string> ScanCodes(const std::string& image)
{
    std::string output;
    std::vector<std::string> codes;
    if (!RunTool({"zbarimg", "--nodbus", "--quiet", "--raw", "-Sdisable", "-Sqrcode.enable", image}, output))
        return codes;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            codes.push_back(line);
    return codes;
}

bool FirstMark(const std::vector<std::string>& codes, qvclient::MarkContent& content)
{
    for (const std::string& code : codes)
        if (qvclient::ParseMarkText(code, content))
            return true;
    return false;
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/plmclient-verify-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

MarkFound ReadMark(const std::string& path, qvclient::MarkContent& content)
{
    MarkFound found;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), ec)) {
        found.error = "no file " + path;
        return found;
    }
    const std::string extension = Lower(std::filesystem::u8path(path).extension().u8string());
    if (extension != ".pdf") {
        found.found = FirstMark(ScanCodes(path), content);
        found.where = "QR code";
        if (!found.found)
            found.error = "no verification mark's QR code in " + path;
        return found;
    }
    std::string xmp;
    if (RunTool({"pdfinfo", "-meta", path}, xmp) && qvclient::ReadMarkXmp(xmp, content)) {
        found.found = true;
        found.where = "XMP metadata";
        return found;
    }
    // A PDF made from a scan or printed again has lost the metadata: the code on a page remains.
    std::string pages;
    int count = 0;
    if (RunTool({"pdfinfo", path}, pages)) {
        const size_t at = pages.find("Pages:");
        if (at != std::string::npos)
            count = std::atoi(pages.c_str() + at + 6);
    }
    if (count == 0) {
        found.error = "cannot read " + path + " as a PDF";
        return found;
    }
    ScratchFolder scratch;
    for (int page = 1; page <= count && !scratch.Path().empty(); ++page) {
        const std::string stem = scratch.Path() + "/page";
        std::string ignored;
        if (!RunTool({"pdftoppm", "-r", "300", "-gray", "-png", "-singlefile", "-f", std::to_string(page), "-l",
                         std::to_string(page), path, stem},
                ignored))
            continue;
        if (FirstMark(ScanCodes(stem + ".png"), content)) {
            found.found = true;
            found.where = "QR code on page " + std::to_string(page);
            return found;
        }
    }
    found.error = "no verification mark in " + path + " (neither in its metadata nor as a QR code on a page)";
    return found;
}

} // namespace plmclient
