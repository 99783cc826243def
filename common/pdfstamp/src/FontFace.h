// One opened font face (FreeType for its metrics and names, HarfBuzz for shaping and
// subsetting), cached for the life of the process: the signing plug-in stays loaded.
#pragma once

#include "FontLocator.h"

#include <memory>
#include <string>
#include <vector>

typedef struct FT_FaceRec_* FT_Face;
typedef struct hb_face_t hb_face_t;
typedef struct hb_font_t hb_font_t;

namespace pdfstamp {

struct ShapedGlyph {
    unsigned gid = 0;
    int xAdvance = 0; // font units, as shaped (kerning included)
    int xOffset = 0;
    int yOffset = 0;
    std::wstring text; // the characters this glyph stands for (the first glyph of a cluster)
};

class FontFace {
public:
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Null when the file cannot be opened as a font.
    static std::shared_ptr<FontFace> Open(const FontFile& file);

    const std::string& Id() const { return m_id; }
    hb_face_t* HbFace() const { return m_hbFace; }
    FT_Face FtFace() const { return m_ftFace; }
    unsigned UnitsPerEm() const { return m_upem; }
    std::string PostScriptName() const;
    int Ascender() const { return m_ascender; }   // font units, positive
    int Descender() const { return m_descender; } // font units, negative
    int CapHeight() const { return m_capHeight; }
    void BoundingBox(int box[4]) const;
    bool IsFixedPitch() const;
    bool IsSerif() const;
    int GlyphAdvance(unsigned gid) const; // font units, unshaped (the font's own width)

    std::vector<ShapedGlyph> Shape(const std::wstring& text) const;

private:
    FontFace() = default;

    std::string m_id;
    FT_Face m_ftFace = nullptr;
    hb_face_t* m_hbFace = nullptr;
    hb_font_t* m_hbFont = nullptr;
    unsigned m_upem = 1000;
    int m_ascender = 0;
    int m_descender = 0;
    int m_capHeight = 0;
};

} // namespace pdfstamp
