// Tells at the end of the run what a command left on disk: the files delivered, signed and
// watermarked, every PDF that left unsigned or without a watermark (loudly), the files that
// failed or were refused and why, print jobs and the files the viewer showed.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <winenv/Trace.h>

#include "DeliveryLedger.h"

namespace plmclient {

class RunSummary {
public:
    RunSummary();
    ~RunSummary();
    RunSummary(const RunSummary&) = delete;
    RunSummary& operator=(const RunSummary&) = delete;

    void Print(FILE* out, const std::vector<DeliveryRecord>& records) const;

private:
    void Observe(const winenv::TraceEvent& e);

    std::vector<std::string> m_printJobs;
    std::vector<std::string> m_viewed;
    int m_cookie;
};

// The summary's line of one record, without the leading blanks.
std::string SummaryLine(const DeliveryRecord& r);

} // namespace plmclient
