// plmclient: the PLM client program (see --help).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <qvclient/Client.h>
#include <qvclient/DemoDatabase.h>
#include <qvclient/Fixture.h>
#include <winenv/Trace.h>

#include "CommandRunner.h"
#include "ModuleHost.h"
#include "Options.h"
#include "ProgramArguments.h"
#include "RunSummary.h"
#include "TranscriptPrinter.h"
#include "UserSession.h"

namespace {

using namespace plmclient;

// Shows the wait window as a progress line on the terminal.
class ProgressDisplay {
public:
    explicit ProgressDisplay(bool enabled) : m_enabled(enabled) {}
    void operator()(const qvclient::WaitEvent& e)
    {
        if (!m_enabled)
            return;
        if (e.event == L"begin")
            m_start = std::chrono::steady_clock::now();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const int width = 30;
        const int filled = e.total > 0 ? static_cast<int>(width * e.position / e.total) : 0;
        std::string bar(static_cast<size_t>(std::min(filled, width)), '#');
        bar.resize(width, '.');
        std::fprintf(stderr, "\r%s [%s] %ld/%ld  %.1fs%s", winenv::ToUtf8(e.caption).c_str(), bar.c_str(),
            static_cast<long>(e.position), static_cast<long>(e.total), seconds, e.event == L"end" ? "\n" : "");
        std::fflush(stderr);
    }

private:
    bool m_enabled;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// While the dialogs own the terminal, the transcript waits in a file and is printed afterwards.
class HeldTranscript {
public:
    explicit HeldTranscript(bool hold) : m_file(hold ? std::tmpfile() : nullptr) {}
    ~HeldTranscript()
    {
        if (m_file)
            std::fclose(m_file);
    }
    HeldTranscript(const HeldTranscript&) = delete;
    HeldTranscript& operator=(const HeldTranscript&) = delete;

    FILE* Out() const { return m_file ? m_file : stdout; }
    void Release() const
    {
        if (!m_file)
            return;
        std::fflush(m_file);
        std::rewind(m_file);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
            std::fwrite(buffer, 1, n, stdout);
        std::fflush(stdout);
    }

private:
    FILE* m_file;
};

// ": what went wrong (the engine's words)" for a database failure, empty when nothing is known.
std::string Reason(HRESULT hr, const std::wstring& engineText)
{
    std::string reason = winenv::ToUtf8(qvclient::DescribeDatabaseStatus(hr));
    std::string detail = winenv::ToUtf8(engineText);
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == ' '))
        detail.pop_back();
    for (char& c : detail)
        c = c == '\n' ? ' ' : c;
    if (!detail.empty())
        reason += (reason.empty() ? "" : " (") + detail + (reason.empty() ? "" : ")");
    return reason.empty() ? reason : ": " + reason;
}

int Run(const Options& options)
{
    const HeldTranscript held(HoldsTranscript(options));
    TranscriptPrinter printer(held.Out(), options.json, options.transcriptFile);
    if (!printer.FileOk()) {
        std::fprintf(stderr, "plmclient: cannot write the transcript file %s\n", options.transcriptFile.c_str());
        return 1;
    }
    if (!options.server.empty()) {
        const HRESULT hr = qvclient::WriteFolderServer(options.dbFolder, options.server);
        if (FAILED(hr)) {
            std::fprintf(stderr, "plmclient: cannot write the server's name into %s (0x%08X)\n",
                winenv::ToUtf8(options.dbFolder).c_str(), static_cast<unsigned>(hr));
            return 1;
        }
    }
    if (options.createSample) {
        const HRESULT hr = qvclient::CreateSampleDatabase(options.dbFolder, options.owner);
        if (FAILED(hr)) {
            std::fprintf(stderr, "plmclient: cannot create the sample database in %s (0x%08X)%s\n",
                winenv::ToUtf8(options.dbFolder).c_str(), static_cast<unsigned>(hr), Reason(hr, {}).c_str());
            return 1;
        }
        std::fprintf(stderr, "plmclient: sample database created in %s\n", winenv::ToUtf8(options.dbFolder).c_str());
        if (options.command.empty())
            return 0;
    }
    if (options.createDemo) {
        qvclient::DemoSize size;
        std::string error;
        if (!qvclient::ParseDemoSize(*options.createDemo, size, error)) {
            std::fprintf(stderr, "plmclient: %s\n", error.c_str());
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        qvclient::DemoDatabaseInfo info;
        const HRESULT hr = qvclient::CreateDemoDatabase(options.dbFolder, size, &info, options.owner);
        if (FAILED(hr)) {
            std::fprintf(stderr, "plmclient: cannot create the demo database in %s (0x%08X)\n",
                winenv::ToUtf8(options.dbFolder).c_str(), static_cast<unsigned>(hr));
            return 1;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr,
            "plmclient: demo database created in %s in %.1f s: %d parts, %d documents, %d current light files "
            "(%d of older revisions), %d vault files, %d signatures; top assembly Part:%ld, product folder "
            "FolderOfProduct:%ld, workflow item WorkflowItem:%ld\n",
            winenv::ToUtf8(options.dbFolder).c_str(), seconds, info.parts, info.documents, info.currentLightFiles,
            info.formerLightFiles, info.vaultFiles, info.signatures, static_cast<long>(info.topAssemblyId),
            static_cast<long>(info.productFolderId), static_cast<long>(info.workflowItemId));
        if (options.command.empty())
            return 0;
    }

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    qvclient::Client client;
    HRESULT hr = client.Open(options.dbFolder);
    if (FAILED(hr)) {
        std::fprintf(stderr, "plmclient: cannot open the PLM database in %s (0x%08X)%s\n",
            winenv::ToUtf8(options.dbFolder).c_str(), static_cast<unsigned>(hr),
            Reason(hr, client.GetOpenErrorText()).c_str());
        return 1;
    }
    if (options.user && FAILED(hr = client.SetCurrentUser(*options.user))) {
        std::fprintf(stderr, "plmclient: no user %s (0x%08X)\n", winenv::ToUtf8(*options.user).c_str(),
            static_cast<unsigned>(hr));
        return 1;
    }
    client.RegisterComponents();

    ModuleHost module;
    std::string error;
    if (!module.Load(options.moduleName, error)) {
        std::fprintf(stderr, "plmclient: %s\n", error.c_str());
        return 1;
    }

    RunSummary summary;
    ProgressDisplay progress(!options.quiet && !options.json);
    const SessionOutcome session = RunWithUser(
        client, module, options, [&progress](const qvclient::WaitEvent& e) { progress(e); }, [&held] { held.Release(); });
    const CommandOutcome& outcome = session.command;
    if (!session.userError.empty())
        std::fprintf(stderr, "plmclient: %s\n", session.userError.c_str());
    if (!outcome.ran) {
        std::fprintf(stderr, "plmclient: %s\n", outcome.error.c_str());
        return 1;
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(outcome.result));
    winenv::Trace("result", {{"command", winenv::ToUtf8(options.command)}, {"hresult", code}});

    if (options.summary)
        summary.Print(stdout);
    int status = FAILED(outcome.result) ? 2 : 0;
    for (const std::string& e : session.scriptErrors) {
        std::fprintf(stderr, "plmclient: %s\n", e.c_str());
        status = 3;
    }
    if (session.unreachedLines) {
        std::fprintf(stderr, "plmclient: %zu script line(s) were never reached\n", session.unreachedLines);
        status = 3;
    }
    client.RevokeComponents();
    CoUninitialize();
    if (const int err = printer.CloseFile()) {
        std::fprintf(stderr, "plmclient: the transcript file %s could not be written whole: %s\n",
            options.transcriptFile.c_str(), std::strerror(err));
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = ParseOptions(ProgramArguments(argc, argv));
        if (options.help) {
            PrintHelp();
            return 0;
        }
        const std::string unusable = CheckUserOptions(options);
        if (!unusable.empty()) {
            std::fprintf(stderr, "plmclient: %s\n", unusable.c_str());
            return 1;
        }
        return Run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "plmclient: %s\n", e.what());
        return 1;
    }
}
