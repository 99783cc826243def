// The SQL that walks from a document to the light files of its current iteration, one text per
// document class.
#pragma once

#include <afxwin.h>

enum LightFileDocClass {
    LFDC_DOCUMENT = 0,
    LFDC_DRAWING,
    LFDC_CAPPDOCUMENT,
    LFDC_3DDOCUMENT,
    LFDC_COUNT,
    LFDC_NONE = -1
};

// The class of a document by its class name (exact comparison), LFDC_NONE for any other.
LightFileDocClass GetLightFileDocClass(LPCWSTR lpszClassName);

// Selects OBJ_ID, name, roleB_id and filetype; two %d: light file class id, document id.
LPCWSTR GetLightFileSql(LightFileDocClass eClass);

// Appended to the text to keep one file type (%s).
extern const wchar_t LIGHTFILE_TYPE_FILTER_LOWER[]; // " and t_lightfile.filetype = '%s'"
extern const wchar_t LIGHTFILE_TYPE_FILTER[];       // " and T_LightFile.filetype = '%s'"
