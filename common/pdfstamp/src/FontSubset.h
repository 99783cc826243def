// A TrueType subset of a face holding only the glyphs a document uses, made with HarfBuzz's
// subsetter and cached: stamping the same signature again costs no second subset.
#pragma once

#include "FontFace.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace pdfstamp {

struct FontSubset {
    std::string data;                      // a standalone TrueType font (a collection's face alone)
    std::string deflated;                  // data, Flate-compressed for the PDF's font file stream
    std::map<unsigned, unsigned> newGid;   // glyph id in the face -> glyph id in the subset
};

// Null when HarfBuzz cannot subset the face.
std::shared_ptr<const FontSubset> SubsetFont(const FontFace& face, const std::set<unsigned>& gids);

} // namespace pdfstamp
