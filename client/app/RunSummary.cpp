#include "RunSummary.h"

#include <winenv/Paths.h>

namespace plmclient {

RunSummary::RunSummary()
{
    m_cookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Observe(e); });
}

RunSummary::~RunSummary() { winenv::RemoveTraceSink(m_cookie); }

void RunSummary::Observe(const winenv::TraceEvent& e)
{
    if (e.kind == "print_job")
        m_printJobs.push_back(e.Get("destination"));
    else if (e.kind == "viewer" && e.Get("method") == "OpenFile")
        m_viewed.push_back(winenv::ToPosixPath(winenv::FromUtf8(e.Get("path"))));
}

std::string SummaryLine(const DeliveryRecord& r)
{
    if (!r.delivered) {
        std::string line = r.diskPath + " NOT DELIVERED (" + r.status;
        if (!r.takenBySha256.empty())
            line += ": the command had already written other content under this name";
        line += ")";
        if (!r.message.empty())
            line += " [told: " + r.message + "]";
        return line;
    }
    std::string line = r.diskPath;
    if (r.Signed())
        line += " [signed: " + r.stamps + "]";
    if (r.watermarked)
        line += " [watermarked]";
    if (!r.IsPdf())
        return line;
    if (!r.Signed()) {
        line += " !! UNSIGNED";
        if (r.SigningFailed())
            line += ": the signing plug-in failed (" + r.signError + ")";
        else if (r.signAttempted)
            line += r.signSkipped.empty() ? ": nothing to sign" : ": every signature skipped (" + r.signSkipped + ")";
        else
            line += ": no signature recorded";
    }
    if (!r.watermarked) {
        line += " !! NO WATERMARK";
        if (r.WatermarkFailed())
            line += ": the watermark failed (" + r.watermarkError + ")";
        else
            line += ": not asked for";
    }
    return line;
}

void RunSummary::Print(FILE* out, const std::vector<DeliveryRecord>& records) const
{
    std::fprintf(out, "\nWhat landed where:\n");
    if (records.empty())
        std::fprintf(out, "  no file was written\n");
    for (const DeliveryRecord& r : records)
        std::fprintf(out, "  %s\n", SummaryLine(r).c_str());
    for (const std::string& job : m_printJobs)
        std::fprintf(out, "  print job: %s\n", job.c_str());
    for (const std::string& viewed : m_viewed)
        std::fprintf(out, "  shown in the viewer: %s\n", viewed.c_str());
}

} // namespace plmclient
