// The fonts of one document's stamps: every text shaped first, so that each face is embedded
// once as a Type0 font (CIDFontType2, Identity-H, CIDToGIDMap Identity) over one subset, with a
// ToUnicode CMap so that the text can be extracted and searched.
#pragma once

#include "FontFace.h"
#include "FontSubset.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pdfstamp {

// A stretch of text laid out in one face; positions in font units.
struct ShapedText {
    std::shared_ptr<FontFace> face;
    std::vector<ShapedGlyph> glyphs;
    int Width() const;
};

// A line of text, in as many faces as its characters need; measures in points at `size`.
struct ShapedLine {
    std::vector<ShapedText> runs;
    std::wstring missing; // characters no installed face has
    bool Empty() const { return runs.empty(); }
    double Width(double size) const;
    double Ascent(double size) const;  // the highest ascender of its faces
    double Descent(double size) const; // the lowest descender, negative
};

// Shapes the text in the faces found for the Windows font name. No runs when no TrueType font
// is installed or the text is empty.
ShapedLine ShapeLine(const std::wstring& text, const std::wstring& fontName);

class PdfFonts {
public:
    // ShapeLine, keeping the glyphs for Embed.
    ShapedLine Shape(const std::wstring& text, const std::wstring& fontName);

    // Builds the font objects for everything shaped so far. False when a subset cannot be made.
    bool Embed(QPDF& pdf);

    // After Embed: the font dictionary of a run's face and the content-stream show operator
    // ("[<...> n <...>] TJ") for the run.
    QPDFObjectHandle FontObject(const ShapedText& text) const;
    std::string ShowOperator(const ShapedText& text) const;

private:
    struct Used {
        std::shared_ptr<FontFace> face;
        std::set<unsigned> gids;
        std::map<unsigned, std::wstring> unicode;
        std::shared_ptr<const FontSubset> subset;
        QPDFObjectHandle font;
    };
    std::map<std::string, Used> m_used; // by face id
};

} // namespace pdfstamp
