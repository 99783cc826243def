// Prints the trace as a transcript: one line per event, readable or as JSON lines.
#pragma once

#include <cerrno>
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
    // Closes the transcript file: 0 when every event reached it whole, else the errno of the first
    // write that failed (nothing more is written to it after that).
    int CloseFile();

private:
    FILE* m_out;
    std::ofstream m_file;
    std::string m_fileName;
    int m_fileError = 0;
    bool m_json;
    int m_cookie;
};

} // namespace plmclient
