// Collects what a command left on disk (files written, signed, watermarked, printed) and tells
// it at the end of the run.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <winenv/Trace.h>

namespace plmclient {

class RunSummary {
public:
    RunSummary();
    ~RunSummary();
    RunSummary(const RunSummary&) = delete;
    RunSummary& operator=(const RunSummary&) = delete;

    void Print(FILE* out) const;

private:
    struct FileFacts {
        std::string posixPath;
        std::string signedWith; // the stamps, empty when not signed
        bool watermarked = false;
    };
    void Observe(const winenv::TraceEvent& e);
    FileFacts& Facts(const std::string& windowsPath);

    std::vector<std::string> m_order; // POSIX paths in the order first written
    std::map<std::string, FileFacts> m_files;
    std::vector<std::string> m_printJobs;
    std::vector<std::string> m_viewed;
    int m_cookie;
};

} // namespace plmclient
