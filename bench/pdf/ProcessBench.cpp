// Process against process: the signing plug-in alone (signpdf_run) against `qpdf --overlay`
// and `pdftk multistamp` of a page holding the same signatures; `plmclient --command SignPdf`
// against the plug-in alone; the download of every light file of the large demo (no
// signatures, no watermark) against `cp` of the same vault files under the same names; and
// plmclient's peak resident set on the product tree at 1x and 2x.
#include <benchmark/benchmark.h>

#include <sqlite3.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "AlternatingRatio.h"
#include "ChildProcess.h"
#include "DemoFolder.h"
#include "PdfFixture.h"

namespace {

namespace fs = std::filesystem;

using vizbench::RunChild;

struct Program {
    std::vector<std::string> argv;
    std::function<void()> before = nullptr;
};

// A program as a side: its wall time counts; its CPU time (user + system) goes into cpu, which
// moves less with the load from elsewhere when one side is multi-threaded (pdftk's JVM compiles
// and collects on threads of its own) and the cores are shared.
vizbench::Side Process(const Program& program, std::vector<double>& cpu)
{
    return [&program, &cpu] {
        if (program.before)
            program.before();
        const vizbench::ChildResult result = RunChild(program.argv);
        if (result.ok)
            cpu.push_back(result.cpuSeconds);
        return result.ok ? result.seconds : -1.0;
    };
}

// Two programs run alternately: the wall-time ratios, and the CPU-time ratios as cpu_ counters.
void RunAlternately(benchmark::State& state, const Program& subject, const Program& baseline)
{
    std::vector<double> subjectCpu, baselineCpu;
    vizbench::RunAlternately(state, Process(subject, subjectCpu), Process(baseline, baselineCpu));
    vizbench::ReportRatios(state, subjectCpu, baselineCpu, "cpu_");
}

std::string Bin(const std::string& name) { return vizbench::ProgramFolder() + "/" + name; }

bool HaveProgram(const std::string& name) { return RunChild({"sh", "-c", "command -v " + name}).ok; }

void BM_PluginProcessVsQpdfCli(benchmark::State& state)
{
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    RunAlternately(state, {{Bin("signpdf_run"), f.work, f.job}, [&f] { f.ResetWork(); }},
        {{"qpdf", "--overlay", f.stamp, "--", f.master, f.folder + "/qpdf.pdf"}});
}
BENCHMARK(BM_PluginProcessVsQpdfCli)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PdftkVsPluginProcess(benchmark::State& state)
{
    if (!HaveProgram("pdftk")) {
        state.SkipWithError("pdftk is not installed");
        return;
    }
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    RunAlternately(state, {{"pdftk", f.master, "multistamp", f.stamp, "output", f.folder + "/pdftk.pdf"}},
        {{Bin("signpdf_run"), f.work, f.job}, [&f] { f.ResetWork(); }});
}
BENCHMARK(BM_PdftkVsPluginProcess)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

// The small demo's drawing 118 (revision 119), whose signatures are one text and one picture.
void BM_PlmclientSignVsPluginProcess(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(0, info);
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    if (demo.empty()) {
        state.SkipWithError("cannot make the small demo");
        return;
    }
    const std::string client = f.folder + "/client.pdf";
    RunAlternately(state,
        {{Bin("plmclient"), "--db", demo, "--command", "SignPdf", "--sign", "118,Drawing,119," + client},
            [&f, client] { f.Reset(client); }},
        {{Bin("signpdf_run"), f.work, f.job}, [&f] { f.ResetWork(); }});
}
BENCHMARK(BM_PlmclientSignVsPluginProcess)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each current light file's name and its vault file, as the module finds them.
std::vector<std::pair<std::string, std::string>> CurrentLightFiles(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_open_v2((folder + "/plm.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db,
            "SELECT l.name, s.VAULT_NAME FROM T_LightFile l JOIN T_StoredFile s ON s.OBJ_ID = l.STOREDFILE_ID",
            -1, &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            files.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                folder + "/vault/" + reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return files;
}

const std::string kRamFolder = "/dev/shm";

bool RoomFor(const std::string& folder, unsigned long long bytes)
{
    struct statvfs info {};
    return statvfs(folder.c_str(), &info) == 0 &&
           static_cast<unsigned long long>(info.f_bavail) * info.f_frsize >= bytes;
}

// The top assembly ticked (which ticks the whole structure) and downloaded into an empty folder.
void BM_DownloadVsCp(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(static_cast<int>(state.range(0)), info, "plain",
        "DELETE FROM T_DocumentSignature; UPDATE T_GlobalParam SET VALUE = 0 WHERE NAME = 'NEEDWATER_DOWNLOADPDF';");
    if (demo.empty()) {
        state.SkipWithError("cannot make the demo");
        return;
    }
    // Both sides write to memory when there is room: ext4 skips the inodes freed in the last
    // minutes when it allocates, so a side writing 30,000 files after 30,000 were deleted pays for
    // the deletion history rather than for its own work (that alone moved cp from 1 s to 5 s).
    const std::string scratch =
        RoomFor(kRamFolder, 2ull << 30) ? kRamFolder + "/" + fs::path(demo).filename().string() : demo;
    const std::string out = scratch + "-out";
    const std::string copy = scratch + "-cp";
    const std::string staged = demo + "-staged";
    auto empty = [](const std::string& folder) {
        std::error_code ec;
        fs::remove_all(folder, ec);
        fs::create_directories(folder, ec);
    };
    const std::vector<std::string> download = {Bin("plmclient"), "--db", demo, "--command", "OutputLightFile",
        "--select", "Part:" + std::to_string(info.topAssemblyId), "--do", "check 齿轮减速器总装 GR200-00-00",
        "--do", "press 下载", "--do", "folder " + out, "--do", "messagebox ok"};
    // What the download wrote, by name, linked to the vault file of that name.
    empty(out);
    empty(staged);
    if (!RunChild(download).ok) {
        state.SkipWithError("the download failed");
        return;
    }
    std::map<std::string, std::string> vault;
    for (const auto& [name, path] : CurrentLightFiles(demo))
        vault.emplace(name, path);
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        const auto found = vault.find(entry.path().filename().string());
        std::error_code ec;
        if (found != vault.end())
            fs::create_symlink(found->second, staged + "/" + found->first, ec);
        files += found != vault.end() && !ec;
    }
    RunAlternately(state, {download, [&] { empty(out); }}, {{"cp", "-rL", staged + "/.", copy}, [&] { empty(copy); }});
    state.counters["files"] = static_cast<double>(files);
    std::error_code ec;
    fs::remove_all(out, ec);
    fs::remove_all(copy, ec);
}
BENCHMARK(BM_DownloadVsCp)->Arg(1000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The product tree opened and closed by plmclient; the counter is the peak in MB.
void BM_PeakRss(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(static_cast<int>(state.range(0)), info);
    long peakKb = 0;
    for (auto _ : state) {
        const vizbench::ChildResult result = RunChild({Bin("plmclient"), "--db", demo, "--command",
            "PrdTreeOutputLightFile", "--select", "Part:" + std::to_string(info.topAssemblyId)});
        if (!result.ok) {
            state.SkipWithError("plmclient failed");
            break;
        }
        peakKb = std::max(peakKb, result.peakRssKb);
        state.SetIterationTime(result.seconds);
    }
    state.counters["peak_rss_mb"] = static_cast<double>(peakKb) / 1024.0;
}
BENCHMARK(BM_PeakRss)->Arg(1000)->Arg(2000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
