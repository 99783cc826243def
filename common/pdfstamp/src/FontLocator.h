// Finds the installed TrueType faces for a Windows font name, character by character.
#pragma once

#include <string>
#include <vector>

namespace pdfstamp {

struct FontFile {
    std::string path;
    int index = 0; // face index inside a collection (.ttc)
};

// A stretch of text drawn from one face.
struct FontRun {
    FontFile file;
    std::wstring text;
};

struct LocatedText {
    std::vector<FontRun> runs;
    std::wstring missing; // characters no installed face has, each once; drawn as the first face's blank glyph
};

// Asks fontconfig for its ranking of the installed faces for the Windows name ("宋体", "SimSun",
// "楷体", "Arial", ...; see WindowsFontAliases) and takes each character from the first TrueType
// face that has it. No runs when no TrueType face is installed at all.
LocatedText LocateFonts(const std::wstring& windowsName, const std::wstring& text);

} // namespace pdfstamp
