// The light file manager on the product tree, through the module's export, with a user who
// closes the dialog as soon as it is up. The fill (command start to dialog shown) against a
// replay of exactly the statements it ran, with plain SQLite prepare/step: in one read
// transaction and each statement on its own. The close (dialog shown to command return)
// against the fill, on 0.5x, 1x and 2x the large demo.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include <QvInterfaces.h>
#include <qvclient/Client.h>
#include <qvclient/UiContext.h>
#include <winenv/Desktop.h>
#include <winenv/Paths.h>

#include "AlternatingRatio.h"
#include "DemoFolder.h"
#include "StatementLog.h"
#include "StatementReplay.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the dialog came up and when the user let go of it.
class ClosingUser : public winenv::DefaultDesktopUser {
public:
    void OnModalDialog(HWND) override
    {
        shown = Clock::now();
        ++dialogs;
    }
    Clock::time_point shown;
    int dialogs = 0;
};

using PFN_UiCommand = HRESULT (*)(IQvUiContext*);

// The client's current transaction, held for the length of a command (through COM alone, so
// that this program runs on an earlier build of the client's libraries too).
IQvCslTransaction* CommandTransaction()
{
    IQvPlmSystem* pSystem = nullptr;
    IQvCslTransaction* pTransaction = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_QvPlmSystem, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IQvPlmSystem),
            reinterpret_cast<void**>(&pSystem)))) {
        if (FAILED(pSystem->GetCurTransaction(&pTransaction)))
            pTransaction = nullptr;
        pSystem->Release();
    }
    return pTransaction;
}

// One open client on a demo folder, with the product tree command ready to run.
class ProductTree {
public:
    explicit ProductTree(int parts)
    {
        m_folder = vizbench::DemoFolder(parts, m_info);
        HMODULE module = LoadLibraryW(L"VuverIverIzizerOzi.dll");
        m_command = module ? reinterpret_cast<PFN_UiCommand>(GetProcAddress(module, "PrdTreeOutputLightFile")) : nullptr;
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (m_folder.empty() || m_command == nullptr ||
            FAILED(m_client.Open(winenv::FromPosixPath(m_folder))) || FAILED(m_client.RegisterComponents()))
            return;
        qvclient::OpenObject(L"Part", m_info.topAssemblyId, &m_top);
        if (m_top == nullptr || FAILED(qvclient::MakeProductTreeContext(m_top, &m_context)))
            m_context = nullptr;
    }
    ~ProductTree()
    {
        if (m_context)
            m_context->Release();
        if (m_top)
            m_top->Release();
        m_client.RevokeComponents();
    }

    bool Ready() const { return m_context != nullptr; }
    std::string Database() const { return m_folder + "/plm.db"; }

    // Runs the command once: false unless the dialog came up.
    bool Run(double& fill, double& close)
    {
        ClosingUser user;
        winenv::ScopedDesktopUser scoped(user);
        const Clock::time_point start = Clock::now();
        HRESULT hr = S_OK;
        {
            // As plmclient runs a command: inside the command's transaction object.
            IQvCslTransaction* pTransaction = CommandTransaction();
            hr = m_command(m_context);
            if (pTransaction)
                pTransaction->Release();
        }
        const Clock::time_point end = Clock::now();
        fill = std::chrono::duration<double>(user.shown - start).count();
        close = std::chrono::duration<double>(end - user.shown).count();
        return SUCCEEDED(hr) && user.dialogs == 1;
    }

private:
    std::string m_folder;
    qvclient::DemoDatabaseInfo m_info;
    qvclient::Client m_client;
    PFN_UiCommand m_command = nullptr;
    IQvOtlObject* m_top = nullptr;
    IQvUiContext* m_context = nullptr;
};

void FillAgainstReplay(benchmark::State& state, bool oneTransaction)
{
    ProductTree tree(static_cast<int>(state.range(0)));
    if (!tree.Ready()) {
        state.SkipWithError("cannot open the demo or load the module");
        return;
    }
    std::vector<std::string> statements;
    double fill = 0, close = 0;
    {
        vizbench::StatementLog log;
        if (!tree.Run(fill, close)) {
            state.SkipWithError("the manager dialog did not open");
            return;
        }
        statements = log.Statements();
    }
    const std::string database = tree.Database();
    vizbench::RunAlternately(
        state, [&] { return tree.Run(fill, close) ? fill : -1.0; },
        [&] {
            bool ok = true;
            const double seconds =
                vizbench::SecondsOf([&] { ok = vizbench::ReplayStatements(database, statements, oneTransaction); });
            return ok ? seconds : -1.0;
        });
    state.counters["statements"] = static_cast<double>(statements.size());
}

// The goal: the fill within 1.10x of the replay in one read transaction.
void BM_FillVsReplayInOneTransaction(benchmark::State& state) { FillAgainstReplay(state, true); }
BENCHMARK(BM_FillVsReplayInOneTransaction)->Arg(1000)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

// As first measured: each replayed statement in a transaction of its own.
void BM_FillVsReplayPerStatement(benchmark::State& state) { FillAgainstReplay(state, false); }
BENCHMARK(BM_FillVsReplayPerStatement)->Arg(1000)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

// The close as a share of the fill, from the same runs.
void BM_CloseVsFill(benchmark::State& state)
{
    ProductTree tree(static_cast<int>(state.range(0)));
    if (!tree.Ready()) {
        state.SkipWithError("cannot open the demo or load the module");
        return;
    }
    std::vector<double> fills, closes;
    for (auto _ : state) {
        double fill = 0, close = 0;
        if (!tree.Run(fill, close)) {
            state.SkipWithError("the manager dialog did not open");
            break;
        }
        fills.push_back(fill);
        closes.push_back(close);
        state.SetIterationTime(fill + close);
    }
    vizbench::ReportRatios(state, closes, fills);
}
BENCHMARK(BM_CloseVsFill)->Arg(500)->Arg(1000)->Arg(2000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
