// Two things run alternately in one benchmark, each iteration timing both (the order swapped
// every time), so that load from elsewhere on a shared machine falls on both alike. The
// counters give the subject's time as a ratio of the baseline's: the minimum and the median of
// the per-iteration ratios, and each side's median in milliseconds.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vizbench {

// A side of the comparison: does its work once and gives the seconds that count, or a negative
// number when the work failed.
using Side = std::function<double()>;

// The seconds a callable takes.
template <class F>
double SecondsOf(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// Reports the ratios of paired times (subject over baseline), each counter's name after the prefix.
inline void ReportRatios(benchmark::State& state, const std::vector<double>& subjectTimes,
    const std::vector<double>& baselineTimes, const std::string& prefix = "")
{
    std::vector<double> ratios;
    for (size_t i = 0; i < subjectTimes.size() && i < baselineTimes.size(); ++i)
        ratios.push_back(subjectTimes[i] / baselineTimes[i]);
    if (ratios.empty())
        return;
    state.counters[prefix + "ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters[prefix + "ratio_median"] = Median(ratios);
    state.counters[prefix + "subject_ms"] = Median(subjectTimes) * 1e3;
    state.counters[prefix + "baseline_ms"] = Median(baselineTimes) * 1e3;
}

// Runs subject and baseline alternately once per iteration. Register the benchmark with
// UseManualTime(): the iteration time is both sides together.
inline void RunAlternately(benchmark::State& state, const Side& subject, const Side& baseline)
{
    std::vector<double> subjectTimes, baselineTimes;
    bool subjectFirst = true;
    for (auto _ : state) {
        double a = 0, b = 0;
        if (subjectFirst) {
            a = subject();
            b = baseline();
        } else {
            b = baseline();
            a = subject();
        }
        subjectFirst = !subjectFirst;
        if (a < 0 || b <= 0) {
            state.SkipWithError(a < 0 ? "the subject failed" : "the baseline failed");
            break;
        }
        subjectTimes.push_back(a);
        baselineTimes.push_back(b);
        state.SetIterationTime(a + b);
    }
    ReportRatios(state, subjectTimes, baselineTimes);
}

} // namespace vizbench
