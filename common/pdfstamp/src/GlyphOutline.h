// A glyph's outline as PDF path operators, so that text can be drawn as shapes that no text
// extractor reads.
#pragma once

#include "FontFace.h"

#include <string>

namespace pdfstamp {

// The outline of glyph `gid` in font units ("x y m ... c ... h"), ready for a nonzero fill.
// Empty for a glyph without outline (a blank) or one that cannot be loaded.
std::string GlyphOutlinePath(const FontFace& face, unsigned gid);

} // namespace pdfstamp
