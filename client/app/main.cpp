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
#include "DeliveryLedger.h"
#include "ExitStatus.h"
#include "Manifest.h"
#include "ModuleHost.h"
#include "Options.h"
#include "PrintSettings.h"
#include "ProgramArguments.h"
#include "RememberedServer.h"
#include "RunSummary.h"
#include "TranscriptPrinter.h"
#include "UserSession.h"
#include "VerifyCommand.h"

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

// A client folder holds its database file or the name of its server.
bool HoldsDatabase(const std::wstring& folder)
{
    for (const wchar_t* name : {qvclient::FolderLayout::kDatabaseFile, qvclient::FolderLayout::kServerFile}) {
        const DWORD attributes = GetFileAttributesW((folder + L"\\" + name).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
    }
    return false;
}

int Run(const Options& options)
{
    const HeldTranscript held(HoldsTranscript(options));
    TranscriptPrinter printer(held.Out(), options.json, options.transcriptFile);
    if (!printer.FileOk()) {
        std::fprintf(stderr, "plmclient: cannot write the transcript file %s\n", options.transcriptFile.c_str());
        return 1;
    }
    RememberedServer remembered;
    if (!options.server.empty()) {
        const HRESULT hr = remembered.Write(options.dbFolder, options.server);
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
        remembered.Keep();
        if (options.command.empty() && options.verifyFile.empty())
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
        remembered.Keep();
        if (options.command.empty() && options.verifyFile.empty())
            return 0;
    }

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    qvclient::Client client;
    HRESULT hr = client.Open(options.dbFolder);
    if (FAILED(hr) && !HoldsDatabase(options.dbFolder)) {
        std::fprintf(stderr,
            "plmclient: there is no PLM database in %s: make one with --create-demo [SIZE] (a product with "
            "drawings, signatures and a workflow) or --create-sample (a few documents), or name its server with "
            "--server CONNINFO\n",
            winenv::ToUtf8(options.dbFolder).c_str());
        return 1;
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "plmclient: cannot open the PLM database in %s (0x%08X)%s\n",
            winenv::ToUtf8(options.dbFolder).c_str(), static_cast<unsigned>(hr),
            Reason(hr, client.GetOpenErrorText()).c_str());
        return 1;
    }
    remembered.Keep();
    if (options.user && FAILED(hr = client.SetCurrentUser(*options.user))) {
        std::fprintf(stderr, "plmclient: no user %s (0x%08X)\n", winenv::ToUtf8(*options.user).c_str(),
            static_cast<unsigned>(hr));
        return 1;
    }
    if (!options.verifyFile.empty()) {
        const int status = VerifyFile(client, options.verifyFile);
        CoUninitialize();
        return status;
    }
    client.RegisterComponents();
    if (!options.printBook.empty())
        UsePrintBook(options.printBook);

    ModuleHost module;
    std::string error;
    if (!module.Load(options.moduleName, error)) {
        std::fprintf(stderr, "plmclient: %s\n", error.c_str());
        return 1;
    }

    RunSummary summary;
    const bool reported = options.summary || options.interactive || !options.manifestFile.empty();
    DeliveryLedger ledger(client, reported ? LedgerKeeps::EveryFile : LedgerKeeps::FailuresOnly);
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

    // Hashing every delivered file again is for the reports that show it, not for the status.
    if (reported)
        ledger.Finish();
    const bool scriptFailed = !session.scriptErrors.empty() || session.unreachedLines != 0;
    const int status = ExitStatusOf(FAILED(outcome.result), scriptFailed, ledger);
    // A person at the terminal is told what left as a script asking with --summary is.
    if (options.summary || options.interactive)
        summary.Print(stdout, ledger.Records());
    for (const std::string& e : session.scriptErrors)
        std::fprintf(stderr, "plmclient: %s\n", e.c_str());
    if (session.unreachedLines)
        std::fprintf(stderr, "plmclient: %zu script line(s) were never reached\n", session.unreachedLines);
    if (!options.manifestFile.empty()) {
        const ManifestHeader header{winenv::ToUtf8(options.command), winenv::ToUtf8(options.selection), code, status};
        if (!WriteManifest(options.manifestFile, header, ledger.Records(), error))
            std::fprintf(stderr, "plmclient: %s\n", error.c_str());
    }
    if (status != 0)
        std::fprintf(stderr, "plmclient: %s (exit status %d)\n", DescribeExitStatus(status), status);
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
