#include "GlyphOutline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <charconv>
#include <mutex>

namespace pdfstamp {
namespace {

struct PathWriter {
    std::string path;
    FT_Vector current{0, 0};
    bool open = false;

    // Formatted in place: a glyph has dozens of points, and two temporary strings each showed.
    void Point(long x, long y)
    {
        char text[48]; // a long takes at most 20 characters
        char* end = std::to_chars(text, text + 20, x).ptr;
        *end++ = ' ';
        end = std::to_chars(end, end + 20, y).ptr;
        *end++ = ' ';
        path.append(text, end);
    }
};

PathWriter& Writer(void* user)
{
    return *static_cast<PathWriter*>(user);
}

int MoveTo(const FT_Vector* to, void* user)
{
    PathWriter& w = Writer(user);
    if (w.open)
        w.path += "h\n";
    w.Point(to->x, to->y);
    w.path += "m\n";
    w.current = *to;
    w.open = true;
    return 0;
}

int LineTo(const FT_Vector* to, void* user)
{
    PathWriter& w = Writer(user);
    w.Point(to->x, to->y);
    w.path += "l\n";
    w.current = *to;
    return 0;
}

// PDF has only cubic curves: a quadratic one is the cubic with its control points two thirds
// of the way from each end to the quadratic control point.
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    PathWriter& w = Writer(user);
    const FT_Vector& from = w.current;
    w.Point(from.x + (control->x - from.x) * 2 / 3, from.y + (control->y - from.y) * 2 / 3);
    w.Point(to->x + (control->x - to->x) * 2 / 3, to->y + (control->y - to->y) * 2 / 3);
    w.Point(to->x, to->y);
    w.path += "c\n";
    w.current = *to;
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
{
    PathWriter& w = Writer(user);
    w.Point(control1->x, control1->y);
    w.Point(control2->x, control2->y);
    w.Point(to->x, to->y);
    w.path += "c\n";
    w.current = *to;
    return 0;
}

} // namespace

std::string GlyphOutlinePath(const FontFace& face, unsigned gid)
{
    // A face's glyph slot is shared: one glyph at a time.
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    FT_Face ftFace = face.FtFace();
    if (!ftFace || FT_Load_Glyph(ftFace, gid, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0
        || ftFace->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return "";
    const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    PathWriter writer;
    if (FT_Outline_Decompose(&ftFace->glyph->outline, &funcs, &writer) != 0)
        return "";
    if (writer.open)
        writer.path += "h\n";
    return writer.path;
}

} // namespace pdfstamp
