// fontconfig, opened when a text's faces are not in the disk cache.
#include "OnFirstCall.h"

// The stubs stay inside whatever links pdfstamp.
#pragma GCC visibility push(hidden)
#include <fontconfig/fontconfig.h>
#pragma GCC visibility pop

#define FONTCONFIG "libfontconfig.so.1"

PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcConfig*, FcInitLoadConfigAndFonts, (void), ())
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcConfigDestroy, (FcConfig * config), (config))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcBool, FcConfigParseAndLoadFromMemory,
    (FcConfig * config, const FcChar8* buffer, FcBool complain), (config, buffer, complain))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcBool, FcConfigSubstitute, (FcConfig * config, FcPattern* p, FcMatchKind kind),
    (config, p, kind))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcStrList*, FcConfigGetConfigFiles, (FcConfig * config), (config))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcStrList*, FcConfigGetFontDirs, (FcConfig * config), (config))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcChar8*, FcStrListNext, (FcStrList * list), (list))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcStrListDone, (FcStrList * list), (list))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcDefaultSubstitute, (FcPattern * pattern), (pattern))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcFontSet*, FcFontSort,
    (FcConfig * config, FcPattern* p, FcBool trim, FcCharSet** csp, FcResult* result), (config, p, trim, csp, result))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcFontSetDestroy, (FcFontSet * s), (s))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcPattern*, FcPatternCreate, (void), ())
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcPatternDestroy, (FcPattern * p), (p))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcBool, FcPatternAddBool, (FcPattern * p, const char* object, FcBool b), (p, object, b))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcBool, FcPatternAddString, (FcPattern * p, const char* object, const FcChar8* s),
    (p, object, s))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcResult, FcPatternGetString, (const FcPattern* p, const char* object, int n, FcChar8** s),
    (p, object, n, s))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcResult, FcPatternGetInteger, (const FcPattern* p, const char* object, int n, int* i),
    (p, object, n, i))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcResult, FcPatternGetCharSet,
    (const FcPattern* p, const char* object, int n, FcCharSet** c), (p, object, n, c))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcCharSet*, FcCharSetCopy, (FcCharSet * src), (src))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, void, FcCharSetDestroy, (FcCharSet * fcs), (fcs))
PDFSTAMP_ON_FIRST_CALL(FONTCONFIG, FcBool, FcCharSetHasChar, (const FcCharSet* fcs, FcChar32 ucs4), (fcs, ucs4))
