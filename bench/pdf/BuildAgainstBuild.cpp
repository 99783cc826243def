// Two builds' programs run alternately on the rows a user sees, to decide whether a cache or a
// second code path pays for itself: VIZ_SUBJECT_BIN (the bin folder of the build without it)
// against VIZ_BASELINE_BIN (the build with it). A ratio below 1: the build without is faster.
// Usage: VIZ_SUBJECT_BIN=... VIZ_BASELINE_BIN=... build_against_build [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "AlternatingRatio.h"
#include "ChildProcess.h"
#include "DemoFolder.h"
#include "PdfFixture.h"

namespace {

namespace fs = std::filesystem;
using viztest::ChildOutput;
using viztest::RunChild;

// Started and exited with status 0.
bool Ok(const viztest::ChildRun& run)
{
    return run.started && run.exitCode == 0;
}

std::string Folder(const char* variable)
{
    const char* p = std::getenv(variable);
    return p ? p : "";
}

// The program of a build, run with that build's folder first in the library path.
std::vector<std::string> In(const std::string& bin, std::vector<std::string> argv)
{
    std::vector<std::string> all = {"env", "LD_LIBRARY_PATH=" + bin, bin + "/" + argv[0]};
    all.insert(all.end(), argv.begin() + 1, argv.end());
    return all;
}

vizbench::Side Process(std::vector<std::string> argv, std::function<void()> before, std::vector<double>* cpu)
{
    return [argv = std::move(argv), before = std::move(before), cpu] {
        if (before)
            before();
        const viztest::ChildRun result = RunChild(argv, ChildOutput::Discarded);
        cpu->push_back(result.cpuSeconds);
        return Ok(result) ? result.seconds : -1.0;
    };
}

void Compare(benchmark::State& state, const std::vector<std::string>& argv, std::function<void()> before = nullptr)
{
    if (Folder("VIZ_SUBJECT_BIN").empty() || Folder("VIZ_BASELINE_BIN").empty()) {
        state.SkipWithError("VIZ_SUBJECT_BIN and VIZ_BASELINE_BIN name the two builds' bin folders");
        return;
    }
    std::vector<double> subjectCpu, baselineCpu;
    vizbench::RunAlternately(state, Process(In(Folder("VIZ_SUBJECT_BIN"), argv), before, &subjectCpu),
        Process(In(Folder("VIZ_BASELINE_BIN"), argv), before, &baselineCpu));
    vizbench::ReportRatios(state, subjectCpu, baselineCpu, "cpu_");
}

void EmptyFolder(const std::string& folder)
{
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
}

std::vector<std::string> TreeArgv()
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(1000, info);
    return {"plmclient", "--db", demo, "--command", "PrdTreeOutputLightFile", "--select",
        "Part:" + std::to_string(info.topAssemblyId)};
}

const std::string kOut = "/dev/shm/viz-build-against-build-out";

enum class Pdfs { Plain, SignedAndWatermarked };

// Plain: no signatures, no watermark; the other is the demo's own download.
std::vector<std::string> DownloadArgv(Pdfs pdfs = Pdfs::Plain)
{
    qvclient::DemoDatabaseInfo info;
    std::string demo;
    if (pdfs == Pdfs::Plain)
        demo = vizbench::DemoFolder(1000, info, "plain",
            "DELETE FROM T_DocumentSignature; UPDATE T_GlobalParam SET VALUE = 0 WHERE NAME = 'NEEDWATER_DOWNLOADPDF';");
    else
        demo = vizbench::DemoFolder(1000, info);
    return {"plmclient", "--db", demo, "--command", "OutputLightFile", "--select",
        "Part:" + std::to_string(info.topAssemblyId), "--do", "check 齿轮减速器总装 GR200-00-00", "--do", "press 下载",
        "--do", "folder " + kOut, "--do", "messagebox ok"};
}

void BM_TreeFill(benchmark::State& state) { Compare(state, TreeArgv()); }
BENCHMARK(BM_TreeFill)->Iterations(16)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Download(benchmark::State& state)
{
    Compare(state, DownloadArgv(), [] { EmptyFolder(kOut); });
}
BENCHMARK(BM_Download)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DownloadSignedAndWatermarked(benchmark::State& state)
{
    Compare(state, DownloadArgv(Pdfs::SignedAndWatermarked), [] { EmptyFolder(kOut); });
}
BENCHMARK(BM_DownloadSignedAndWatermarked)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SignPdfCommand(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(0, info);
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    const std::string client = f.folder + "/client.pdf";
    Compare(state, {"plmclient", "--db", demo, "--command", "SignPdf", "--sign", "118,Drawing,119," + client},
        [&f, client] { f.Reset(client); });
}
BENCHMARK(BM_SignPdfCommand)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SignAndWatermark(benchmark::State& state)
{
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    Compare(state, {"signpdf_run", f.work, f.job}, [&f] { f.ResetWork(); });
}
BENCHMARK(BM_SignAndWatermark)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

// Peak resident set of each build, alternately; counters in MB (the largest of the runs).
void PeakRss(benchmark::State& state, const std::vector<std::string>& argv, std::function<void()> before)
{
    const std::string report = fs::temp_directory_path().string() + "/viz-build-against-build-rss-" + std::to_string(getpid());
    long peak[2] = {0, 0};
    int k = 0;
    for (auto _ : state) {
        for (int side : {k % 2, 1 - k % 2}) {
            const std::string bin = Folder(side == 0 ? "VIZ_SUBJECT_BIN" : "VIZ_BASELINE_BIN");
            std::vector<std::string> run = {"env", "LD_LIBRARY_PATH=" + bin, bin + "/peak_rss", report, bin + "/" + argv[0]};
            run.insert(run.end(), argv.begin() + 1, argv.end());
            if (before)
                before();
            const auto result = RunChild(run, ChildOutput::Discarded);
            long kb = 0;
            std::ifstream in(report);
            if (!Ok(result) || !(in >> kb)) {
                state.SkipWithError("failed");
                return;
            }
            peak[side] = std::max(peak[side], kb);
        }
        ++k;
        state.SetIterationTime(1);
    }
    state.counters["subject_mb"] = peak[0] / 1024.0;
    state.counters["baseline_mb"] = peak[1] / 1024.0;
    state.counters["ratio"] = static_cast<double>(peak[0]) / static_cast<double>(peak[1]);
}
void BM_PeakRssTree(benchmark::State& state) { PeakRss(state, TreeArgv(), nullptr); }
BENCHMARK(BM_PeakRssTree)->Iterations(2)->UseManualTime();
void BM_PeakRssDownload(benchmark::State& state) { PeakRss(state, DownloadArgv(), [] { EmptyFolder(kOut); }); }
BENCHMARK(BM_PeakRssDownload)->Iterations(2)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
