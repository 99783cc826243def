// A text cut into runs, each character from the first face of a ranking that has it.
#pragma once

#include "FontLocator.h"

#include <vector>

namespace pdfstamp {

inline bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == 0x3000;
}

// Candidate: File() is its FontFile, Has(c) whether its character map has c. A character no face
// has is listed as missing once and drawn with the face before it (the first face at the start).
template <class Candidate>
LocatedText SplitByFace(const std::vector<Candidate>& ranked, const std::wstring& text)
{
    LocatedText located;
    if (ranked.empty())
        return located;
    const Candidate* current = nullptr;
    for (wchar_t c : text) {
        const Candidate* face = nullptr;
        for (const Candidate& candidate : ranked)
            if (candidate.Has(c)) {
                face = &candidate;
                break;
            }
        if (!face) {
            if (!IsBlank(c) && located.missing.find(c) == std::wstring::npos)
                located.missing += c;
            face = current ? current : &ranked.front();
        } else if (IsBlank(c) && current && current->Has(c)) {
            face = current; // a blank does not break a run
        }
        if (face != current || located.runs.empty())
            located.runs.push_back(FontRun{face->File(), L""});
        located.runs.back().text += c;
        current = face;
    }
    return located;
}

} // namespace pdfstamp
