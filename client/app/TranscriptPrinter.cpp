#include "TranscriptPrinter.h"

#include <cstdio>
#include <filesystem>

#include "JsonText.h"

namespace plmclient {
namespace {

// Control characters (tabs in SQL texts) stay visible in a one-line transcript.
std::string Visible(const std::string& s)
{
    std::string out;
    out.reserve(s.size() + 16);
    size_t start = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        if (s[k] != '\t' && s[k] != '\n')
            continue;
        out.append(s, start, k - start);
        out.append(s[k] == '\t' ? "\\t" : "\\n", 2);
        start = k + 1;
    }
    out.append(s, start, std::string::npos);
    return out;
}

} // namespace

std::string FormatEventText(const winenv::TraceEvent& e)
{
    std::string line = "[" + e.kind + "]";
    if (e.kind == "sql")
        return line + " " + Visible(e.Get("text"));
    if (e.kind == "messagebox")
        return line + " " + e.Get("caption") + ": " + e.Get("text") + " (icon " + e.Get("icon") + ") -> " +
            e.Get("result");
    for (const auto& [name, value] : e.fields)
        line += " " + name + "=" + Visible(value);
    return line;
}

std::string FormatEventJson(const winenv::TraceEvent& e)
{
    std::string line = "{\"kind\":" + JsonString(e.kind);
    for (const auto& [name, value] : e.fields)
        line += "," + JsonString(name) + ":" + JsonString(value);
    return line + "}";
}

TranscriptPrinter::TranscriptPrinter(FILE* out, bool json, const std::string& transcriptFile)
    : m_out(out), m_fileName(transcriptFile), m_json(json)
{
    // Opened by its UTF-8 name as such (on Windows a narrow name would be read in the ANSI code page).
    if (!m_fileName.empty())
        m_file.open(std::filesystem::u8path(m_fileName), std::ios::binary | std::ios::trunc);
    m_cookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Print(e); });
}

TranscriptPrinter::~TranscriptPrinter()
{
    winenv::RemoveTraceSink(m_cookie);
    CloseFile();
}

int TranscriptPrinter::CloseFile()
{
    if (m_file.is_open()) {
        // A full disk may show only when the last buffer is written out.
        errno = 0;
        m_file.close();
        if (m_file.fail() && m_fileError == 0)
            m_fileError = errno != 0 ? errno : EIO;
    }
    return m_fileError;
}

void TranscriptPrinter::Print(const winenv::TraceEvent& e)
{
    if (e.kind == "wait" && !m_json)
        return; // the progress display shows it
    const std::string line = (m_json ? FormatEventJson(e) : FormatEventText(e)) + "\n";
    std::fputs(line.c_str(), m_out);
    std::fflush(m_out);
    if (m_file.is_open()) {
        errno = 0;
        m_file << line << std::flush;
        if (m_file.fail()) {
            // A transcript with a line missing is no transcript: stop, and the run fails at its end.
            m_fileError = errno != 0 ? errno : EIO;
            m_file.close();
        }
    }
}

} // namespace plmclient
