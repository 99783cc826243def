#include "RunSummary.h"

#include <winenv/Paths.h>

namespace plmclient {

RunSummary::RunSummary()
{
    m_cookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Observe(e); });
}

RunSummary::~RunSummary() { winenv::RemoveTraceSink(m_cookie); }

RunSummary::FileFacts& RunSummary::Facts(const std::string& windowsPath)
{
    const std::string posix = winenv::ToPosixPath(winenv::FromUtf8(windowsPath));
    auto it = m_files.find(posix);
    if (it == m_files.end()) {
        m_order.push_back(posix);
        it = m_files.emplace(posix, FileFacts{posix, {}, false}).first;
    }
    return it->second;
}

void RunSummary::Observe(const winenv::TraceEvent& e)
{
    if (e.kind == "file_written")
        Facts(e.Get("path"));
    else if (e.kind == "signed" && !e.Get("stamps").empty())
        Facts(e.Get("pdf")).signedWith = e.Get("stamps");
    else if (e.kind == "watermark" && e.Get("result") == "0x00000000")
        Facts(e.Get("path")).watermarked = true;
    else if (e.kind == "print_job")
        m_printJobs.push_back(e.Get("destination"));
    else if (e.kind == "viewer" && e.Get("method") == "OpenFile")
        m_viewed.push_back(winenv::ToPosixPath(winenv::FromUtf8(e.Get("path"))));
}

void RunSummary::Print(FILE* out) const
{
    std::fprintf(out, "\nWhat landed where:\n");
    if (m_order.empty())
        std::fprintf(out, "  no file was written\n");
    for (const std::string& path : m_order) {
        const FileFacts& f = m_files.at(path);
        std::string notes;
        if (!f.signedWith.empty())
            notes += " [signed: " + f.signedWith + "]";
        if (f.watermarked)
            notes += " [watermarked]";
        std::fprintf(out, "  %s%s\n", path.c_str(), notes.c_str());
    }
    for (const std::string& job : m_printJobs)
        std::fprintf(out, "  print job: %s\n", job.c_str());
    for (const std::string& viewed : m_viewed)
        std::fprintf(out, "  shown in the viewer: %s\n", viewed.c_str());
}

} // namespace plmclient
