// One opened font face (FreeType for its names, box and outlines, HarfBuzz for shaping and
// subsetting), cached for the life of the process: the signing plug-in stays loaded. What an
// embedded font's descriptor needs from FreeType is kept on disk with the font file's stamp, so a
// process that finds it there opens the face in FreeType only for an outline.
#pragma once

#include "FontLocator.h"

#include <memory>
#include <mutex>
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
    FT_Face FtFace() const; // opened on the first call; null when the file no longer opens
    unsigned UnitsPerEm() const { return m_upem; }
    const std::string& PostScriptName() const { return m_postScriptName; }
    int Ascender() const { return m_ascender; }   // font units, positive
    int Descender() const { return m_descender; } // font units, negative
    int CapHeight() const { return m_capHeight; }
    void BoundingBox(int box[4]) const;
    bool IsFixedPitch() const { return m_fixedPitch; }
    bool IsSerif() const { return m_serif; }
    int GlyphAdvance(unsigned gid) const; // font units, unshaped (the font's own width)

    std::vector<ShapedGlyph> Shape(const std::wstring& text) const;

private:
    FontFace() = default;
    bool OpenFreeType() const;
    void TakeFreeTypeProperties();
    std::string SaveProperties() const;
    bool LoadProperties(const std::string& value);

    std::string m_id;
    std::string m_path;
    int m_index = 0;
    mutable std::once_flag m_ftOnce;
    mutable FT_Face m_ftFace = nullptr;
    std::string m_postScriptName;
    int m_box[4] = {0, 0, 0, 0};
    bool m_fixedPitch = false;
    bool m_serif = false;
    hb_face_t* m_hbFace = nullptr;
    hb_font_t* m_hbFont = nullptr;
    unsigned m_upem = 1000;
    int m_ascender = 0;
    int m_descender = 0;
    int m_capHeight = 0;
};

} // namespace pdfstamp
