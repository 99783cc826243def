// Prints the trace as a transcript: one line per event, readable or as JSON lines.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>

#include <winenv/Trace.h>

namespace plmclient {

std::string FormatEventText(const winenv::TraceEvent& e);
std::string FormatEventJson(const winenv::TraceEvent& e);

class TranscriptPrinter {
public:
    // Events go to `out` and, when transcriptFile is not empty, to that file too.
    TranscriptPrinter(FILE* out, bool json, const std::string& transcriptFile);
    ~TranscriptPrinter();
    TranscriptPrinter(const TranscriptPrinter&) = delete;
    TranscriptPrinter& operator=(const TranscriptPrinter&) = delete;

    bool FileOk() const { return m_file.is_open() || m_fileName.empty(); }
    void Print(const winenv::TraceEvent& e);

private:
    FILE* m_out;
    std::ofstream m_file;
    std::string m_fileName;
    bool m_json;
    int m_cookie;
};

} // namespace plmclient
