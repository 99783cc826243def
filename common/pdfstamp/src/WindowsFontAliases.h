// The Windows font names signature jobs use, told to fontconfig as aliases of the installed
// families that stand in for them, so that fontconfig's own matching picks the face.
#pragma once

#include <fontconfig/fontconfig.h>

#include <string>

namespace pdfstamp {

// The aliases as a fontconfig configuration document.
std::string WindowsFontAliases();

// Adds the aliases to `config`, after its own rules. False when fontconfig rejects them.
bool LoadWindowsFontAliases(FcConfig* config);

} // namespace pdfstamp
