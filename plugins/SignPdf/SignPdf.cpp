// The export: reads the job, draws its signatures onto the PDF in place, and traces both.
#include "SignPdf.h"

#include "SignJob.h"

#include <pdfstamp/PdfStamp.h>
#include <win32host/Paths.h>
#include <win32host/Trace.h>

#include <cstdio>
#include <string>

namespace {

std::string Describe(const CSignJobEntry& entry)
{
    char szPlace[128];
    std::snprintf(szPlace, sizeof szPlace, "@p%d(%g,%g", entry.m_nPage, entry.m_dX, entry.m_dY);
    std::string strText = "SIGN" + std::to_string(entry.m_nSection) + " ";
    if (entry.m_nKind == CSignJobEntry::Text)
        strText += "text \"" + win32host::ToUtf8(entry.m_strContent) + "\" " + win32host::ToUtf8(entry.m_strFont);
    else
        strText += "picture " + win32host::ToUtf8(entry.m_strImage);
    strText += szPlace;
    if (entry.m_dWidth > 0 && entry.m_dHeight > 0) {
        char szBox[64];
        std::snprintf(szBox, sizeof szBox, " %gx%g", entry.m_dWidth, entry.m_dHeight);
        strText += szBox;
    }
    return strText + ")";
}

pdfstamp::Stamp ToStamp(const CSignJobEntry& entry)
{
    if (entry.m_nKind == CSignJobEntry::Picture) {
        pdfstamp::PictureStamp picture;
        picture.path = win32host::ToPosixPath(entry.m_strImage);
        picture.x = entry.m_dX;
        picture.y = entry.m_dY;
        picture.width = entry.m_dWidth;
        picture.height = entry.m_dHeight;
        picture.page = entry.m_nPage;
        return picture;
    }
    pdfstamp::TextStamp text;
    text.text = entry.m_strContent;
    text.fontName = entry.m_strFont;
    text.fontSize = entry.m_dFontSize;
    text.x = entry.m_dX;
    text.y = entry.m_dY;
    text.width = entry.m_dWidth;
    text.height = entry.m_dHeight;
    text.color = pdfstamp::Rgb{entry.m_nColorR, entry.m_nColorG, entry.m_nColorB};
    text.page = entry.m_nPage;
    return text;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string strText;
    for (const std::string& line : lines)
        strText += (strText.empty() ? "" : "; ") + line;
    return strText;
}

} // namespace

extern "C" __declspec(dllexport) int SignPdf(const wchar_t* pdfPath, const wchar_t* jobPath)
{
    win32host::Trace("plugin_call", {{"library", "SignPdf.dll"}, {"export", "SignPdf"},
                                        {"pdf", win32host::ToUtf8(pdfPath ? pdfPath : L"")},
                                        {"job", win32host::ToUtf8(jobPath ? jobPath : L"")}});
    auto traceSigned = [pdfPath](int nResult, const std::string& strStamps, const std::string& strSkipped,
                           const std::string& strError, const std::vector<std::string>& warnings = {}) {
        win32host::TraceEvent event{"signed", {{"pdf", win32host::ToUtf8(pdfPath ? pdfPath : L"")},
            {"result", std::to_string(nResult)}, {"stamps", strStamps}, {"skipped", strSkipped}, {"error", strError}}};
        // Only a repaired file or a missing character has any: other transcripts stay as they were.
        if (!warnings.empty())
            event.fields.emplace_back("warnings", Join(warnings));
        win32host::Trace(event);
        return nResult;
    };
    if (!pdfPath || !jobPath || GetFileAttributesW(jobPath) == INVALID_FILE_ATTRIBUTES)
        return traceSigned(SIGNPDF_E_JOB, "", "", "no job file");

    CSignJob job = ReadSignJob(jobPath);
    std::vector<std::string> skipped;
    for (const std::wstring& line : job.m_skipped)
        skipped.push_back(win32host::ToUtf8(line));
    if (job.m_entries.empty())
        return traceSigned(0, "", Join(skipped), "");

    std::vector<pdfstamp::Stamp> stamps;
    for (const CSignJobEntry& entry : job.m_entries)
        stamps.push_back(ToStamp(entry));
    pdfstamp::StampResult result = pdfstamp::ApplyStamps(win32host::ToPosixPath(pdfPath), stamps);
    if (!result.ok)
        return traceSigned(SIGNPDF_E_PDF, "", Join(skipped), result.error, result.warnings);

    // pdfstamp names a stamp it left out by its 1-based place in the list.
    std::vector<std::string> drawn;
    for (std::size_t i = 0; i < job.m_entries.size(); ++i) {
        std::string strMark = "stamp " + std::to_string(i + 1) + ":";
        bool bSkipped = false;
        for (const std::string& line : result.skipped) {
            if (line.compare(0, strMark.size(), strMark) == 0) {
                skipped.push_back("SIGN" + std::to_string(job.m_entries[i].m_nSection) + line.substr(strMark.size() - 1));
                bSkipped = true;
            }
        }
        if (!bSkipped)
            drawn.push_back(Describe(job.m_entries[i]));
    }
    return traceSigned(result.drawn, Join(drawn), Join(skipped), "", result.warnings);
}
