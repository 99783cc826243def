// A font file opened for HarfBuzz and for FreeType by its UTF-8 name.
#pragma once

#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;
typedef struct hb_blob_t hb_blob_t;

namespace pdfstamp {

// The file's bytes; null when it cannot be read.
hb_blob_t* OpenFontBlob(const std::string& path);

// True with the face `index` of the file in `face`.
bool OpenFreeTypeFace(FT_Library library, const std::string& path, int index, FT_Face* face);

} // namespace pdfstamp
