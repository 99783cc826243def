#include "FontFileAccess.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

namespace pdfstamp {

hb_blob_t* OpenFontBlob(const std::string& path)
{
    return hb_blob_create_from_file_or_fail(path.c_str());
}

bool OpenFreeTypeFace(FT_Library library, const std::string& path, int index, FT_Face* face)
{
    return FT_New_Face(library, path.c_str(), index, face) == 0;
}

} // namespace pdfstamp
