#include "FontFace.h"

#include "DiskCache.h"
#include "FontFileAccess.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ot.h>
#include <hb.h>
#include <utf/Utf.h>

#include <cstdio>
#include <map>
#include <mutex>

namespace pdfstamp {
namespace {

FT_Library Library()
{
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        FT_Init_FreeType(&lib);
        return lib;
    }();
    return library;
}

std::mutex& CacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

FontFace::~FontFace()
{
    if (m_hbFont)
        hb_font_destroy(m_hbFont);
    if (m_hbFace)
        hb_face_destroy(m_hbFace);
    if (m_ftFace)
        FT_Done_Face(m_ftFace);
}

std::shared_ptr<FontFace> FontFace::Open(const FontFile& file)
{
    static std::map<std::string, std::shared_ptr<FontFace>> cache;
    std::string id = file.path + "#" + std::to_string(file.index);
    std::lock_guard<std::mutex> lock(CacheMutex());
    auto it = cache.find(id);
    if (it != cache.end())
        return it->second;

    std::shared_ptr<FontFace> face(new FontFace());
    face->m_id = id;
    face->m_path = file.path;
    face->m_index = file.index;
    // FreeType's opening of a large CJK collection costs more than the rest of the font's work.
    std::string key = "face1";
    AppendField(key, id);
    AppendField(key, FileStamp(file.path));
    std::string value;
    if (!ReadCached(key, value) || !face->LoadProperties(value)) {
        if (!face->OpenFreeType())
            return nullptr;
        face->TakeFreeTypeProperties();
        WriteCached(key, face->SaveProperties());
    }
    hb_blob_t* blob = OpenFontBlob(file.path);
    if (!blob)
        return nullptr;
    face->m_hbFace = hb_face_create(blob, static_cast<unsigned>(file.index));
    hb_blob_destroy(blob);
    face->m_upem = hb_face_get_upem(face->m_hbFace);
    face->m_hbFont = hb_font_create(face->m_hbFace);
    hb_font_set_scale(face->m_hbFont, static_cast<int>(face->m_upem), static_cast<int>(face->m_upem));
    hb_ot_font_set_funcs(face->m_hbFont);

    hb_font_extents_t extents{};
    hb_font_get_h_extents(face->m_hbFont, &extents);
    face->m_ascender = extents.ascender;
    face->m_descender = extents.descender;
    hb_position_t capHeight = 0;
    face->m_capHeight = hb_ot_metrics_get_position(face->m_hbFont, HB_OT_METRICS_TAG_CAP_HEIGHT, &capHeight)
        ? capHeight
        : face->m_ascender;
    cache.emplace(id, face);
    return face;
}

bool FontFace::OpenFreeType() const
{
    return Library() && OpenFreeTypeFace(Library(), m_path, m_index, &m_ftFace);
}

FT_Face FontFace::FtFace() const
{
    std::call_once(m_ftOnce, [this] {
        if (!m_ftFace)
            OpenFreeType();
    });
    return m_ftFace;
}

void FontFace::TakeFreeTypeProperties()
{
    const char* name = FT_Get_Postscript_Name(m_ftFace);
    for (const char* p = name ? name : ""; *p; ++p) {
        char c = *p;
        if (c > ' ' && c < 127 && c != '/' && c != '(' && c != ')' && c != '[' && c != ']' && c != '<'
            && c != '>' && c != '{' && c != '}' && c != '%' && c != '#')
            m_postScriptName += c;
    }
    if (m_postScriptName.empty())
        m_postScriptName = "Font";
    m_box[0] = static_cast<int>(m_ftFace->bbox.xMin);
    m_box[1] = static_cast<int>(m_ftFace->bbox.yMin);
    m_box[2] = static_cast<int>(m_ftFace->bbox.xMax);
    m_box[3] = static_cast<int>(m_ftFace->bbox.yMax);
    m_fixedPitch = FT_IS_FIXED_WIDTH(m_ftFace);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(m_ftFace, FT_SFNT_OS2));
    // IBM font class 8 is sans serif; 1..7 are the serif classes.
    int familyClass = os2 ? (os2->sFamilyClass >> 8) : 8;
    m_serif = familyClass >= 1 && familyClass <= 7;
}

std::string FontFace::SaveProperties() const
{
    std::string value;
    AppendField(value, m_postScriptName);
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d %d", m_box[0], m_box[1], m_box[2], m_box[3],
        m_fixedPitch ? 1 : 0, m_serif ? 1 : 0);
    AppendField(value, numbers);
    return value;
}

bool FontFace::LoadProperties(const std::string& value)
{
    size_t pos = 0;
    std::string numbers;
    int fixedPitch = 0, serif = 0;
    if (!ReadField(value, pos, m_postScriptName) || m_postScriptName.empty() || !ReadField(value, pos, numbers)
        || pos != value.size()
        || std::sscanf(numbers.c_str(), "%d %d %d %d %d %d", &m_box[0], &m_box[1], &m_box[2], &m_box[3], &fixedPitch,
               &serif) != 6) {
        m_postScriptName.clear();
        return false;
    }
    m_fixedPitch = fixedPitch != 0;
    m_serif = serif != 0;
    return true;
}

void FontFace::BoundingBox(int box[4]) const
{
    for (int i = 0; i < 4; ++i)
        box[i] = m_box[i];
}

int FontFace::GlyphAdvance(unsigned gid) const
{
    return hb_font_get_glyph_h_advance(m_hbFont, gid);
}

std::vector<ShapedGlyph> FontFace::Shape(const std::wstring& text) const
{
    hb_buffer_t* buffer = hb_buffer_create();
    // Each code point with the offset of its first unit in the text: a cluster is an index into
    // the code points, and a glyph's text is the units of its cluster.
    std::vector<uint32_t> codepoints;
    std::vector<size_t> offsets;
    for (size_t i = 0; i < text.size();) {
        offsets.push_back(i);
        codepoints.push_back(utf::NextCodePoint(text, i));
    }
    offsets.push_back(text.size());
    hb_buffer_add_utf32(buffer, codepoints.data(), static_cast<int>(codepoints.size()), 0,
        static_cast<int>(codepoints.size()));
    hb_buffer_guess_segment_properties(buffer);
    // Stamps are written left to right in one run; right-to-left scripts are not expected here.
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_shape(m_hbFont, buffer, nullptr, 0);

    unsigned count = 0;
    hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<ShapedGlyph> glyphs(count);
    for (unsigned i = 0; i < count; ++i) {
        glyphs[i].gid = infos[i].codepoint;
        glyphs[i].xAdvance = positions[i].x_advance;
        glyphs[i].xOffset = positions[i].x_offset;
        glyphs[i].yOffset = positions[i].y_offset;
        bool firstOfCluster = i == 0 || infos[i - 1].cluster != infos[i].cluster;
        if (firstOfCluster) {
            unsigned end = static_cast<unsigned>(codepoints.size());
            for (unsigned j = 0; j < count; ++j)
                if (infos[j].cluster > infos[i].cluster && infos[j].cluster < end)
                    end = infos[j].cluster;
            glyphs[i].text = text.substr(offsets[infos[i].cluster], offsets[end] - offsets[infos[i].cluster]);
        }
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

} // namespace pdfstamp
