// How long the light file manager takes to open on a product structure: the product tree
// command through the module's export, on demo databases of 10, 100 and 1,000 parts (30 light
// files per part), with a desktop user who closes the dialog as soon as it is up. And how long
// the generator takes for the large demo database.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include <windows.h>
#include <commctrl.h>

#include <QvInterfaces.h>
#include <qvclient/Client.h>
#include <qvclient/DemoDatabase.h>
#include <qvclient/UiContext.h>
#include <win32host/Desktop.h>
#include <win32host/Paths.h>

namespace {

namespace fs = std::filesystem;

constexpr int kTreeControl = 27000;

// Closes every dialog at once, after counting the manager's tree items.
class ClosingUser : public win32host::DefaultDesktopUser {
public:
    void OnModalDialog(HWND dialog) override
    {
        if (HWND tree = GetDlgItem(dialog, kTreeControl))
            items = static_cast<int>(TreeView_GetCount(tree));
        ++dialogs;
    }
    int items = 0;
    int dialogs = 0;
};

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "treebench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_posix = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(m_posix, ec);
    }
    std::wstring Windows() const { return win32host::FromPosixPath(m_posix); }

private:
    std::string m_posix;
};

// A structure of about `parts` parts with ten documents of three light files each per part.
qvclient::DemoSize SizeFor(int parts)
{
    qvclient::DemoSize size = qvclient::DemoSize::Large();
    if (parts <= 10) {
        size.assemblies = 1;
        size.levels = 2;
        size.partsPerLevel = 4;
    } else if (parts <= 100) {
        size.assemblies = 3;
        size.levels = 2;
        size.partsPerLevel = 24;
    }
    return size;
}

using PFN_UiCommand = HRESULT (*)(IQvUiContext*);

PFN_UiCommand ProductTreeCommand()
{
    static const PFN_UiCommand command = [] {
        HMODULE module = LoadLibraryW(L"VuverIverIzizerOzi.dll");
        return module ? reinterpret_cast<PFN_UiCommand>(GetProcAddress(module, "PrdTreeOutputLightFile")) : nullptr;
    }();
    return command;
}

void BM_ManagerTreePopulation(benchmark::State& state)
{
    const qvclient::DemoSize size = SizeFor(static_cast<int>(state.range(0)));
    ScratchFolder folder;
    qvclient::DemoDatabaseInfo info;
    if (FAILED(qvclient::CreateDemoDatabase(folder.Windows(), size, &info))) {
        state.SkipWithError("cannot create the demo database");
        return;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        qvclient::Client client;
        PFN_UiCommand command = ProductTreeCommand();
        if (FAILED(client.Open(folder.Windows())) || FAILED(client.RegisterComponents()) || command == nullptr) {
            state.SkipWithError("cannot open the client or load VuverIverIzizerOzi.dll");
        } else {
            IQvOtlObject* pTop = nullptr;
            IQvUiContext* pContext = nullptr;
            qvclient::OpenObject(L"Part", info.topAssemblyId, &pTop);
            if (pTop == nullptr || FAILED(qvclient::MakeProductTreeContext(pTop, &pContext))) {
                state.SkipWithError("no context for the top assembly");
            } else {
                ClosingUser user;
                win32host::ScopedDesktopUser scoped(user);
                for (auto _ : state) {
                    const HRESULT hr = command(pContext);
                    benchmark::DoNotOptimize(hr);
                }
                state.counters["parts"] = info.parts;
                state.counters["light_files"] = info.currentLightFiles;
                state.counters["tree_items"] = user.items;
                state.counters["items_per_s"] =
                    benchmark::Counter(static_cast<double>(user.items), benchmark::Counter::kIsIterationInvariantRate);
                if (user.dialogs != static_cast<int>(state.iterations()))
                    state.SkipWithError("the manager dialog did not open on every run");
            }
            if (pContext)
                pContext->Release();
            if (pTop)
                pTop->Release();
        }
        client.RevokeComponents();
    }
    CoUninitialize();
}
BENCHMARK(BM_ManagerTreePopulation)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CreateLargeDemoDatabase(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    for (auto _ : state) {
        ScratchFolder folder;
        if (FAILED(qvclient::CreateDemoDatabase(folder.Windows(), qvclient::DemoSize::Large(), &info))) {
            state.SkipWithError("cannot create the demo database");
            break;
        }
    }
    state.counters["parts"] = info.parts;
    state.counters["light_files"] = info.currentLightFiles + info.formerLightFiles;
}
BENCHMARK(BM_CreateLargeDemoDatabase)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
