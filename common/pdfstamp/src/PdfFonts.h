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

// A text laid out in one face; positions in font units.
struct ShapedText {
    std::shared_ptr<FontFace> face;
    std::vector<ShapedGlyph> glyphs;
    int Width() const;
};

class PdfFonts {
public:
    // Shapes the text in the face found for the Windows font name. The face is null when no
    // TrueType font is installed.
    ShapedText Shape(const std::wstring& text, const std::wstring& fontName);

    // Builds the font objects for everything shaped so far. False when a subset cannot be made.
    bool Embed(QPDF& pdf);

    // After Embed: the font dictionary and the content-stream show operator ("[<...> n <...>] TJ")
    // for a shaped text at the given size.
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
