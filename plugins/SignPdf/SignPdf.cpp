// The export: reads the job, puts its signatures onto the PDF in place, and traces both.
#include "SignPdf.h"

#include "SignJob.h"
#include "SignatureStamping.h"

#include <winenv/Trace.h>

#include <cstdio>
#include <string>

namespace {

std::string Describe(const CSignJobEntry& entry)
{
    char szPlace[128];
    std::snprintf(szPlace, sizeof szPlace, "@p%d(%g,%g", entry.m_nPage, entry.m_dX, entry.m_dY);
    std::string strText = "SIGN" + std::to_string(entry.m_nSection) + " ";
    if (entry.m_nKind == CSignJobEntry::Text)
        strText += "text \"" + winenv::ToUtf8(entry.m_strContent) + "\" " + winenv::ToUtf8(entry.m_strFont);
    else
        strText += "picture " + winenv::ToUtf8(entry.m_strImage);
    strText += szPlace;
    if (entry.m_dWidth > 0 && entry.m_dHeight > 0) {
        char szBox[64];
        std::snprintf(szBox, sizeof szBox, " %gx%g", entry.m_dWidth, entry.m_dHeight);
        strText += szBox;
    }
    return strText + ")";
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
    winenv::Trace("plugin_call", {{"library", "SignPdf.dll"}, {"export", "SignPdf"},
                                        {"pdf", winenv::ToUtf8(pdfPath ? pdfPath : L"")},
                                        {"job", winenv::ToUtf8(jobPath ? jobPath : L"")}});
    auto traceSigned = [pdfPath](int nResult, const std::string& strStamps, const std::string& strSkipped,
                           const std::string& strError, const std::vector<std::string>& warnings = {}) {
        winenv::TraceEvent event{"signed", {{"pdf", winenv::ToUtf8(pdfPath ? pdfPath : L"")},
            {"result", std::to_string(nResult)}, {"stamps", strStamps}, {"skipped", strSkipped}, {"error", strError}}};
        // Only a repaired file or a missing character has any: other transcripts stay as they were.
        if (!warnings.empty())
            event.fields.emplace_back("warnings", Join(warnings));
        winenv::Trace(event);
        return nResult;
    };
    if (!pdfPath || !jobPath)
        return traceSigned(SIGNPDF_E_JOB, "", "", "no job file");
    const DWORD jobAttributes = GetFileAttributesW(jobPath);
    if (jobAttributes == INVALID_FILE_ATTRIBUTES)
        return traceSigned(SIGNPDF_E_JOB, "", "", "no job file");
    // A folder, link or device where the job should be holds no job the client wrote.
    if (jobAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return traceSigned(SIGNPDF_E_JOB, "", "", "the job is not a file");

    CSignJob job = ReadSignJob(jobPath);
    std::vector<std::string> skipped;
    for (const std::wstring& line : job.m_skipped)
        skipped.push_back(winenv::ToUtf8(line));
    if (job.m_entries.empty())
        return traceSigned(0, "", Join(skipped), "");

    CStampOutcome outcome = StampSignatures(pdfPath, job.m_entries);
    if (!outcome.m_bOk)
        return traceSigned(SIGNPDF_E_PDF, "", Join(skipped), outcome.m_strError, outcome.m_warnings);
    std::vector<std::string> drawn;
    for (std::size_t i = 0; i < job.m_entries.size(); ++i)
        if (outcome.m_drawn[i])
            drawn.push_back(Describe(job.m_entries[i]));
    skipped.insert(skipped.end(), outcome.m_skipped.begin(), outcome.m_skipped.end());
    return traceSigned(outcome.m_nDrawn, Join(drawn), Join(skipped), "", outcome.m_warnings);
}
