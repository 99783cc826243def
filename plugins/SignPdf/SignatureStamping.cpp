#include "SignatureStamping.h"

#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>

namespace {

pdfstamp::Stamp ToStamp(const CSignJobEntry& entry)
{
    if (entry.m_nKind == CSignJobEntry::Picture) {
        pdfstamp::PictureStamp picture;
        picture.path = winenv::ToPosixPath(entry.m_strImage);
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

} // namespace

CStampOutcome StampSignatures(LPCWSTR lpszPdfPath, const std::vector<CSignJobEntry>& entries)
{
    std::vector<pdfstamp::Stamp> stamps;
    for (const CSignJobEntry& entry : entries)
        stamps.push_back(ToStamp(entry));
    pdfstamp::StampResult result = pdfstamp::ApplyStamps(winenv::ToPosixPath(lpszPdfPath), stamps);
    CStampOutcome outcome;
    outcome.m_bOk = result.ok;
    outcome.m_strError = result.error;
    outcome.m_warnings = result.warnings;
    if (!result.ok)
        return outcome;
    outcome.m_nDrawn = result.drawn;
    // pdfstamp names a stamp it left out by its 1-based place in the list.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string strMark = "stamp " + std::to_string(i + 1) + ":";
        bool bSkipped = false;
        for (const std::string& line : result.skipped) {
            if (line.compare(0, strMark.size(), strMark) == 0) {
                outcome.m_skipped.push_back(
                    "SIGN" + std::to_string(entries[i].m_nSection) + line.substr(strMark.size() - 1));
                bSkipped = true;
            }
        }
        outcome.m_drawn.push_back(!bSkipped);
    }
    return outcome;
}
