// The job file as the signing step writes it and the plug-in reads it: every key written with
// WritePrivateProfileStringW and then read back with GetPrivateProfileStringW, against the same
// text written as a whole with one open/write/close. The subject's time per key is a counter of
// its own, so that the job file's share of a signed PDF can be read off directly.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>
#include <winenv/Paths.h>

#include "AlternatingRatio.h"

namespace {

namespace fs = std::filesystem;

struct Key {
    std::wstring section, name, value;
};

// A job of the signing step's shape: one picture and `texts` text signatures of eleven keys
// each, then the count.
std::vector<Key> JobKeys(int texts)
{
    std::vector<Key> keys;
    const wchar_t* picture[] = {L"IMAGE", L"X", L"Y", L"WIDTH", L"HEIGHT"};
    const wchar_t* text[] = {L"CONTENT", L"X", L"Y", L"WIDTH", L"HEIGHT", L"FONT", L"FontSize", L"COLOR_R",
        L"COLOR_G", L"COLOR_B", L"Page"};
    for (const wchar_t* name : picture)
        keys.push_back({L"SIGN0", name, name == std::wstring(L"IMAGE") ? L"C:\\Temp\\signature\\119sign.png" : L"120"});
    for (int i = 1; i <= texts; ++i)
        for (const wchar_t* name : text)
            keys.push_back({L"SIGN" + std::to_wstring(i), name, std::wstring(L"value ") + name});
    keys.push_back({L"PDFSIGN", L"NUMBER", std::to_wstring(texts + 1)});
    return keys;
}

// The file's text as the profile functions leave it.
std::string JobText(const std::vector<Key>& keys)
{
    std::string text;
    std::wstring section;
    for (const auto& key : keys) {
        if (key.section != section) {
            section = key.section;
            text += "[" + std::string(section.begin(), section.end()) + "]\r\n";
        }
        text += std::string(key.name.begin(), key.name.end()) + "=" +
                std::string(key.value.begin(), key.value.end()) + "\r\n";
    }
    return text;
}

void BM_ProfileKeysVsWholeFileWrite(benchmark::State& state)
{
    const auto keys = JobKeys(static_cast<int>(state.range(0)));
    const std::string text = JobText(keys);
    const fs::path folder = fs::temp_directory_path() / ("viz-profile-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string jobPath = (folder / "job.ini").string();
    const std::string plainPath = (folder / "plain.ini").string();
    const std::wstring job = winenv::FromPosixPath(jobPath);

    const vizbench::Side profile = [&] {
        std::remove(jobPath.c_str()); // every PDF gets a new job file
        bool ok = true;
        wchar_t value[256];
        const double seconds = vizbench::SecondsOf([&] {
            for (const auto& key : keys)
                ok = WritePrivateProfileStringW(key.section.c_str(), key.name.c_str(), key.value.c_str(),
                         job.c_str()) && ok;
            for (const auto& key : keys)
                ok = GetPrivateProfileStringW(key.section.c_str(), key.name.c_str(), L"", value, 256,
                         job.c_str()) == key.value.size() && ok;
        });
        return ok ? seconds : -1.0;
    };
    const vizbench::Side plain = [&] {
        std::remove(plainPath.c_str());
        bool ok = false;
        const double seconds = vizbench::SecondsOf([&] {
            const int fd = open(plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0)
                return;
            ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            ok = close(fd) == 0 && ok;
        });
        return ok ? seconds : -1.0;
    };
    vizbench::RunAlternately(state, profile, plain);
    if (state.counters.count("subject_ms"))
        state.counters["subject_us_per_key"] = state.counters["subject_ms"] * 1e3 / keys.size();
    state.counters["keys"] = static_cast<double>(keys.size());
    std::error_code ec;
    fs::remove_all(folder, ec);
}
// One picture and one to four texts: 17 to 50 keys.
BENCHMARK(BM_ProfileKeysVsWholeFileWrite)->Arg(1)->Arg(4)->Iterations(400)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
