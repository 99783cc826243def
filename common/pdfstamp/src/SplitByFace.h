// A text cut into runs, each character from the first face of a ranking that has it.
#pragma once

#include "FontLocator.h"

#include <utf/Utf.h>

#include <vector>

namespace pdfstamp {

inline bool IsBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000;
}

// Candidate: File() is its FontFile, Has(c) whether its character map has c. A character no face
// has is listed as missing once and drawn with the face before it (the first face at the start).
// A character beyond U+FFFF is two units of a 16-bit wchar_t: it is looked up, and kept, whole.
template <class Candidate>
LocatedText SplitByFace(const std::vector<Candidate>& ranked, const std::wstring& text)
{
    LocatedText located;
    if (ranked.empty())
        return located;
    const Candidate* current = nullptr;
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t c = utf::NextCodePoint(text, i);
        const std::wstring_view units(text.data() + start, i - start);
        const Candidate* face = nullptr;
        for (const Candidate& candidate : ranked)
            if (candidate.Has(c)) {
                face = &candidate;
                break;
            }
        if (!face) {
            if (!IsBlank(c) && located.missing.find(units) == std::wstring::npos)
                located.missing += units;
            face = current ? current : &ranked.front();
        } else if (IsBlank(c) && current && current->Has(c)) {
            face = current; // a blank does not break a run
        }
        if (face != current || located.runs.empty())
            located.runs.push_back(FontRun{face->File(), L""});
        located.runs.back().text += units;
        current = face;
    }
    return located;
}

} // namespace pdfstamp
