#include "TranscriptPrinter.h"

#include <cstdio>

namespace plmclient {
namespace {

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else
                out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

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
    if (!m_fileName.empty())
        m_file = std::fopen(m_fileName.c_str(), "w");
    m_cookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Print(e); });
}

TranscriptPrinter::~TranscriptPrinter()
{
    winenv::RemoveTraceSink(m_cookie);
    CloseFile();
}

int TranscriptPrinter::CloseFile()
{
    if (m_file) {
        // A full disk may show only when the last buffer is written out.
        if (std::fclose(m_file) != 0 && m_fileError == 0)
            m_fileError = errno != 0 ? errno : EIO;
        m_file = nullptr;
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
    if (m_file) {
        errno = 0;
        if (std::fputs(line.c_str(), m_file) < 0 || std::fflush(m_file) != 0) {
            // A transcript with a line missing is no transcript: stop, and the run fails at its end.
            m_fileError = errno != 0 ? errno : EIO;
            std::fclose(m_file);
            m_file = nullptr;
        }
    }
}

} // namespace plmclient
