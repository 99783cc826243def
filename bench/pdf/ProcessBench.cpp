// Process against process: the signing plug-in alone (signpdf_run) against `qpdf --overlay`
// and `pdftk multistamp` of a page holding the same signatures; `plmclient --command SignPdf`
// against the plug-in alone; the download of every light file of the large demo (no
// signatures, no watermark) against `cp` of the same vault files under the same names, and
// against its floor (a replay of its statements, then that `cp`); and
// plmclient's peak resident set on the product tree at 1x and 2x.
#include <benchmark/benchmark.h>

#include <sqlite3.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "AlternatingRatio.h"
#include "ChildProcess.h"
#include "DemoFolder.h"
#include "PdfFixture.h"
#include "StatementFile.h"

namespace {

namespace fs = std::filesystem;

using viztest::ChildOutput;
using viztest::RunChild;

// A child process as a side (its wall time); `cpu`, when given, collects its CPU time too.
vizbench::Side Process(std::vector<std::string> argv, std::function<void()> before = nullptr,
    std::vector<double>* cpu = nullptr)
{
    return [argv = std::move(argv), before = std::move(before), cpu] {
        if (before)
            before();
        const viztest::ChildRun result = RunChild(argv, ChildOutput::Discarded);
        if (cpu != nullptr)
            cpu->push_back(result.cpuSeconds);
        return result.exitCode == 0 ? result.seconds : -1.0;
    };
}

// Two processes run alternately: the wall-time ratios, and the CPU-time (user + system) ratios as
// cpu_ counters, which move less with load from elsewhere when one side is multi-threaded (pdftk's
// JVM compiles and collects on threads of its own) and the cores are shared.
struct Program {
    std::vector<std::string> argv;
    std::function<void()> before = nullptr;
};

void RunAlternately(benchmark::State& state, Program subject, Program baseline)
{
    std::vector<double> subjectCpu, baselineCpu;
    vizbench::RunAlternately(state, Process(std::move(subject.argv), std::move(subject.before), &subjectCpu),
        Process(std::move(baseline.argv), std::move(baseline.before), &baselineCpu));
    vizbench::ReportRatios(state, subjectCpu, baselineCpu, "cpu_");
}

std::string Bin(const std::string& name) { return viztest::ProgramFolder() + "/" + name; }

bool HaveProgram(const std::string& name) { return RunChild({"sh", "-c", "command -v " + name}, ChildOutput::Discarded).exitCode == 0; }

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

void EmptyFolder(const std::string& folder)
{
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
}

// What the download does to each PDF on the way: the demo's default is both.
enum class Stamping { None, Signed, SignedAndWatermarked };

// The demo folder of that size whose database asks for that stamping.
std::string DemoFor(int parts, Stamping stamping, qvclient::DemoDatabaseInfo& info)
{
    const char* const kWatermarkOff = "UPDATE T_GlobalParam SET VALUE = 0 WHERE NAME = 'NEEDWATER_DOWNLOADPDF';";
    switch (stamping) {
    case Stamping::None:
        return vizbench::DemoFolder(parts, info, "plain", std::string("DELETE FROM T_DocumentSignature; ") + kWatermarkOff);
    case Stamping::Signed:
        return vizbench::DemoFolder(parts, info, "signed", kWatermarkOff);
    case Stamping::SignedAndWatermarked:
        break;
    }
    return vizbench::DemoFolder(parts, info);
}

// The top assembly of the demo ticked (which ticks the whole structure) and downloaded into
// an empty folder (by default no signatures, no watermark); and the same vault files under the
// names the download gave them, for cp to copy.
class Download {
public:
    // Runs the download once, with the environment's assignments before it, to learn the names.
    bool Prepare(int parts, const std::vector<std::string>& environment = {}, Stamping stamping = Stamping::None)
    {
        qvclient::DemoDatabaseInfo info;
        m_demo = DemoFor(parts, stamping, info);
        if (m_demo.empty())
            return false;
        // Both sides write to memory when there is room: ext4 skips the inodes freed in the last
        // minutes when it allocates, so a side writing 30,000 files after 30,000 were deleted
        // pays for the deletion history rather than for its own work (that alone moved cp from
        // 1 s to 5 s).
        const std::string scratch =
            RoomFor(kRamFolder, 2ull << 30) ? kRamFolder + "/" + fs::path(m_demo).filename().string() : m_demo;
        m_out = scratch + "-out";
        m_copy = scratch + "-cp";
        m_staged = m_demo + "-staged";
        m_argv = {Bin("plmclient"), "--db", m_demo, "--command", "OutputLightFile", "--select",
            "Part:" + std::to_string(info.topAssemblyId), "--do", "check 齿轮减速器总装 GR200-00-00", "--do",
            "press 下载", "--do", "folder " + m_out, "--do", "messagebox ok"};
        EmptyFolder(m_out);
        EmptyFolder(m_staged);
        std::vector<std::string> first = {"env"};
        first.insert(first.end(), environment.begin(), environment.end());
        first.insert(first.end(), m_argv.begin(), m_argv.end());
        if (RunChild(first, ChildOutput::Discarded).exitCode != 0)
            return false;
        // What the download wrote, by name, linked to the vault file of that name.
        std::map<std::string, std::string> vault;
        for (const auto& [name, path] : CurrentLightFiles(m_demo))
            vault.emplace(name, path);
        for (const auto& entry : fs::directory_iterator(m_out)) {
            const auto found = vault.find(entry.path().filename().string());
            std::error_code ec;
            if (found != vault.end())
                fs::create_symlink(found->second, m_staged + "/" + found->first, ec);
            m_files += found != vault.end() && !ec;
        }
        return true;
    }
    ~Download()
    {
        std::error_code ec;
        fs::remove_all(m_out, ec);
        fs::remove_all(m_copy, ec);
    }

    std::string Database() const { return m_demo + "/plm.db"; }
    size_t Files() const { return m_files; }
    vizbench::Side Client(std::vector<double>* cpu = nullptr) const
    {
        return Process(m_argv, [this] { EmptyFolder(m_out); }, cpu);
    }
    vizbench::Side Copy(std::vector<double>* cpu = nullptr) const
    {
        return Process({"cp", "-rL", m_staged + "/.", m_copy}, [this] { EmptyFolder(m_copy); }, cpu);
    }
    // The client through peak_rss, whose report gives its peak resident set.
    vizbench::Side MeasuredClient(const std::string& report, std::vector<double>& cpu) const
    {
        std::vector<std::string> argv = {Bin("peak_rss"), report};
        argv.insert(argv.end(), m_argv.begin(), m_argv.end());
        return Process(argv, [this] { EmptyFolder(m_out); }, &cpu);
    }
    // What a user would reach for to copy and check the same files: cp, then sha256sum of each.
    vizbench::Side CopyAndChecksum(std::vector<double>* cpu = nullptr) const
    {
        return Process({"sh", "-c", "cp -rL \"$0\"/. \"$1\" && find \"$1\" -type f -exec sha256sum {} + >/dev/null",
                           m_staged, m_copy},
            [this] { EmptyFolder(m_copy); }, cpu);
    }
    // The same files copied with their SHA-256 worked out on the way, as the client verifies.
    vizbench::Side VerifiedCopy(std::vector<double>* cpu = nullptr) const
    {
        return Process({Bin("verified_copy"), m_staged, m_copy}, [this] { EmptyFolder(m_copy); }, cpu);
    }

private:
    std::string m_demo, m_out, m_copy, m_staged;
    std::vector<std::string> m_argv;
    size_t m_files = 0;
};

void BM_DownloadVsCp(benchmark::State& state)
{
    Download download;
    if (!download.Prepare(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the demo or the download failed");
        return;
    }
    std::vector<double> clientCpu, copyCpu;
    vizbench::RunAlternately(state, download.Client(&clientCpu), download.Copy(&copyCpu));
    vizbench::ReportRatios(state, clientCpu, copyCpu, "cpu_");
    state.counters["files"] = static_cast<double>(download.Files());
}
BENCHMARK(BM_DownloadVsCp)->Arg(1000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The client alternately with a side followed by cp, each timed on its own into its list; the
// client's time is set against the side's, plus cp's when withCopy.
void AgainstSideThenCopy(benchmark::State& state, const Download& download, std::vector<double>& clientCpu,
    std::vector<double>& copyCpu, const vizbench::Side& side, std::vector<double>& sideTimes,
    std::vector<double>& copyTimes, bool withCopy)
{
    const vizbench::Side copy = download.Copy(&copyCpu);
    vizbench::RunAlternately(state, download.Client(&clientCpu), [&] {
        const double s = side();
        const double c = s < 0 ? -1.0 : copy();
        sideTimes.push_back(s);
        copyTimes.push_back(c);
        return s < 0 || c < 0 ? -1.0 : withCopy ? s + c : s;
    });
}

// The download against its floor: a process replaying exactly the statements the download ran
// (recorded on its first run; in one read transaction, with plain prepare/step), then cp of the
// files it wrote. The counters split the floor's median into its two parts and give each
// process's CPU time.
void BM_DownloadVsFloor(benchmark::State& state)
{
    const std::string statements = fs::temp_directory_path().string() + "/viz-download-statements-" +
                                   std::to_string(getpid());
    Download download;
    const bool prepared = download.Prepare(static_cast<int>(state.range(0)),
        {"LD_PRELOAD=" + Bin("libvizbench_recorder.so"), std::string(vizbench::kStatementFileVariable) + "=" + statements});
    const size_t count = vizbench::ReadStatementFile(statements).size();
    if (!prepared || count == 0) {
        state.SkipWithError("the demo, the download or its statement log failed");
        return;
    }
    std::vector<double> replays, copies, clientCpu, replayCpu, copyCpu;
    const vizbench::Side replay = Process({Bin("statement_replay"), download.Database(), statements}, nullptr, &replayCpu);
    AgainstSideThenCopy(state, download, clientCpu, copyCpu, replay, replays, copies, true);
    state.counters["replay_ms"] = vizbench::Median(replays) * 1e3;
    state.counters["cp_ms"] = vizbench::Median(copies) * 1e3;
    // CPU time, which the machine's load moves far less than wall time.
    state.counters["client_cpu_ms"] = vizbench::Median(clientCpu) * 1e3;
    state.counters["replay_cpu_ms"] = vizbench::Median(replayCpu) * 1e3;
    state.counters["cp_cpu_ms"] = vizbench::Median(copyCpu) * 1e3;
    state.counters["statements"] = static_cast<double>(count);
    std::error_code ec;
    fs::remove(statements, ec);
}
BENCHMARK(BM_DownloadVsFloor)->Arg(1000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The download against the least a copy that verifies can cost: a process that reads each
// file, works out its SHA-256 and writes it under the same name (the client checks every stored
// file's content against its recorded digest). cp runs in turn with that floor, so that the
// counters give the floor's own ratio to cp.
void BM_DownloadVsVerifiedCopy(benchmark::State& state)
{
    Download download;
    if (!download.Prepare(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the demo or the download failed");
        return;
    }
    std::vector<double> floors, copies, clientCpu, floorCpu, copyCpu;
    AgainstSideThenCopy(state, download, clientCpu, copyCpu, download.VerifiedCopy(&floorCpu), floors, copies, false);
    state.counters["cp_ms"] = vizbench::Median(copies) * 1e3;
    state.counters["floor_vs_cp"] = vizbench::Median(floors) / vizbench::Median(copies);
    state.counters["client_cpu_ms"] = vizbench::Median(clientCpu) * 1e3;
    state.counters["floor_cpu_ms"] = vizbench::Median(floorCpu) * 1e3;
    state.counters["cp_cpu_ms"] = vizbench::Median(copyCpu) * 1e3;
}
BENCHMARK(BM_DownloadVsVerifiedCopy)->Arg(1000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// What a user waits for: the whole download as plmclient runs it, with the stamping of its
// row, against cp and against cp + sha256sum of the same files, the three run in turn (the order
// rotated each iteration). Counters: each side's median wall and CPU time, the client's
// peak resident set, and its time as a ratio of each baseline's.
void UserDownload(benchmark::State& state, Stamping stamping)
{
    Download download;
    if (!download.Prepare(static_cast<int>(state.range(0)), {}, stamping)) {
        state.SkipWithError("the demo or the download failed");
        return;
    }
    const std::string report = fs::temp_directory_path().string() + "/viz-download-rss-" + std::to_string(getpid());
    std::vector<double> cpu[3], wall[3];
    const vizbench::Side sides[3] = {
        download.MeasuredClient(report, cpu[0]), download.Copy(&cpu[1]), download.CopyAndChecksum(&cpu[2])};
    long peakKb = 0;
    size_t first = 0;
    for (auto _ : state) {
        double total = 0;
        for (size_t k = 0; k < 3; ++k) {
            const size_t side = (first + k) % 3;
            const double seconds = sides[side]();
            if (seconds < 0) {
                state.SkipWithError(side == 0 ? "the download failed" : "a baseline failed");
                return;
            }
            wall[side].push_back(seconds);
            total += seconds;
            long kb = 0;
            if (side == 0 && std::ifstream(report) >> kb)
                peakKb = std::max(peakKb, kb);
        }
        first = (first + 1) % 3;
        state.SetIterationTime(total);
    }
    std::error_code ec;
    fs::remove(report, ec);
    const char* const names[3] = {"client", "cp", "cp_sha256sum"};
    for (size_t side = 0; side < 3; ++side) {
        state.counters[std::string(names[side]) + "_ms"] = vizbench::Median(wall[side]) * 1e3;
        state.counters[std::string(names[side]) + "_cpu_ms"] = vizbench::Median(cpu[side]) * 1e3;
    }
    std::vector<double> vsCp, vsChecksum;
    for (size_t i = 0; i < wall[0].size(); ++i) {
        vsCp.push_back(wall[0][i] / wall[1][i]);
        vsChecksum.push_back(wall[0][i] / wall[2][i]);
    }
    state.counters["vs_cp"] = vizbench::Median(vsCp);
    state.counters["vs_cp_sha256sum"] = vizbench::Median(vsChecksum);
    state.counters["peak_rss_mb"] = static_cast<double>(peakKb) / 1024.0;
    state.counters["files"] = static_cast<double>(download.Files());
}

void BM_UserDownloadUnsigned(benchmark::State& state) { UserDownload(state, Stamping::None); }
void BM_UserDownloadSigned(benchmark::State& state) { UserDownload(state, Stamping::Signed); }
void BM_UserDownloadSignedAndWatermarked(benchmark::State& state) { UserDownload(state, Stamping::SignedAndWatermarked); }
// 10x (10,000 parts, 300,000 files) takes tens of minutes: scripts/bench.sh runs it with --large.
BENCHMARK(BM_UserDownloadUnsigned)->Arg(1000)->Arg(10000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserDownloadSigned)->Arg(1000)->Arg(10000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserDownloadSignedAndWatermarked)->Arg(1000)->Arg(10000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The product tree opened and closed by plmclient; the counter is the peak in MB.
void BM_PeakRss(benchmark::State& state)
{
    qvclient::DemoDatabaseInfo info;
    const std::string demo = vizbench::DemoFolder(static_cast<int>(state.range(0)), info);
    // Through peak_rss: the benchmark's own peak (the download rows read their statement logs)
    // would otherwise be the child's.
    const std::string report = fs::temp_directory_path().string() + "/viz-peak-rss-" + std::to_string(getpid());
    long peakKb = 0;
    for (auto _ : state) {
        const viztest::ChildRun result = RunChild({Bin("peak_rss"), report, Bin("plmclient"), "--db", demo,
            "--command", "PrdTreeOutputLightFile", "--select", "Part:" + std::to_string(info.topAssemblyId)},
            ChildOutput::Discarded);
        long childKb = 0;
        std::ifstream in(report);
        if (result.exitCode != 0 || !(in >> childKb)) {
            state.SkipWithError("plmclient failed");
            break;
        }
        peakKb = std::max(peakKb, childKb);
        state.SetIterationTime(result.seconds);
    }
    std::error_code ec;
    fs::remove(report, ec);
    state.counters["peak_rss_mb"] = static_cast<double>(peakKb) / 1024.0;
}
BENCHMARK(BM_PeakRss)->Arg(1000)->Arg(2000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
