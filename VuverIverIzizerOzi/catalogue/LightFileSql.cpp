// The light file SQL texts. Runs of blanks and tabs are part of the texts the database receives.
#include "catalogue/LightFileSql.h"

#include <QvString.h>

namespace {

const wchar_t* const s_szClassNames[LFDC_COUNT] = {L"Document", L"Drawing", L"CappDocument", L"3DDocument"};

const wchar_t* const s_szLightFileSql[LFDC_COUNT] = {
    // Document
    L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_DocumentMascmp1001.roleB_id, T_document.filetype FROM T_LightFile"
    L" INNER JOIN                       T_DocumentItrfile ON T_LightFile.OBJ_ID = T_DocumentItrfile.roleB_id AND T_DocumentItrfile.ROLEB_CLASS_ID = %d"
    L" INNER JOIN                       TI_DocumentRevcmp3212 ON TI_DocumentRevcmp3212.roleB_id = T_DocumentItrfile.roleA_id AND TI_DocumentRevcmp3212.CURRENT_ITERATION <> 0"
    L" INNER JOIN                       TI_DocumentMascmp1001 ON TI_DocumentMascmp1001.roleB_id = TI_DocumentRevcmp3212.roleA_id AND TI_DocumentMascmp1001.CURRENT_REVISION <> 0 AND TI_DocumentMascmp1001.QUALIFICATION_ID = 0"
    L" INNER JOIN                       T_document ON T_document.OBJ_ID = TI_DocumentMascmp1001.roleA_id \t\t\t\t\t  where T_document.OBJ_ID = %d",
    // Drawing
    L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_drawingMascmp1002.roleB_id, T_drawing.filetype FROM T_LightFile"
    L" INNER JOIN \t\t\t\t\t\tT_drawingItrfile ON T_LightFile.OBJ_ID = T_drawingItrfile.roleB_id AND T_drawingItrfile.ROLEB_CLASS_ID = %d"
    L" INNER JOIN \t\t\t\t\t\tTI_drawingRevcmp3220 ON TI_drawingRevcmp3220.roleB_id = T_drawingItrfile.roleA_id AND TI_drawingRevcmp3220.CURRENT_ITERATION <> 0"
    L" INNER JOIN \t\t\t\t\t\tTI_drawingMascmp1002 ON TI_drawingMascmp1002.roleB_id = TI_drawingRevcmp3220.roleA_id AND TI_drawingMascmp1002.CURRENT_REVISION <> 0 AND TI_drawingMascmp1002.QUALIFICATION_ID = 0"
    L" INNER JOIN \t\t\t\t\t\tT_drawing  ON T_drawing.OBJ_ID = TI_drawingMascmp1002.roleA_id \t\t\t\t\t\twhere T_drawing.OBJ_ID = %d",
    // CappDocument
    L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_CappDocumentMascmp1003.roleB_id, T_CappDocument.filetype FROM T_LightFile"
    L" INNER JOIN                       T_CappDocumentItrfile ON T_LightFile.OBJ_ID = T_CappDocumentItrfile.roleB_id AND T_CappDocumentItrfile.ROLEB_CLASS_ID = %d"
    L" INNER JOIN \t\t\t\t\t  TI_CappDocumentRevcmp3228 ON TI_CappDocumentRevcmp3228.roleB_id = T_CappDocumentItrfile.roleA_id AND TI_CappDocumentRevcmp3228.CURRENT_ITERATION <> 0"
    L" INNER JOIN                       TI_CappDocumentMascmp1003 ON TI_CappDocumentMascmp1003.roleB_id = TI_CappDocumentRevcmp3228.roleA_id AND TI_CappDocumentMascmp1003.CURRENT_REVISION <> 0 AND TI_CappDocumentMascmp1003.QUALIFICATION_ID = 0"
    L" INNER JOIN                       T_CappDocument ON T_CappDocument.OBJ_ID = TI_CappDocumentMascmp1003.roleA_id \t\t\t\t\t  where T_CappDocument.OBJ_ID = %d",
    // 3DDocument
    L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_3DDocumentMascmp1004.roleB_id, T_3DDocument.filetype FROM T_LightFile"
    L" INNER JOIN                       T_3DDocumentItrfile ON T_LightFile.OBJ_ID = T_3DDocumentItrfile.roleB_id AND T_3DDocumentItrfile.ROLEB_CLASS_ID = %d"
    L" INNER JOIN                       TI_3DDocumentRevcmp3236 ON TI_3DDocumentRevcmp3236.roleB_id = T_3DDocumentItrfile.roleA_id AND TI_3DDocumentRevcmp3236.CURRENT_ITERATION <> 0"
    L" INNER JOIN                       TI_3DDocumentMascmp1004 ON TI_3DDocumentMascmp1004.roleB_id = TI_3DDocumentRevcmp3236.roleA_id AND TI_3DDocumentMascmp1004.CURRENT_REVISION <> 0 AND TI_3DDocumentMascmp1004.QUALIFICATION_ID = 0"
    L" INNER JOIN                       T_3DDocument ON T_3DDocument.OBJ_ID = TI_3DDocumentMascmp1004.roleA_id \t\t\t\t\t  where T_3DDocument.OBJ_ID = %d"
};

} // namespace

const wchar_t LIGHTFILE_TYPE_FILTER_LOWER[] = L" and t_lightfile.filetype = '%s'";
const wchar_t LIGHTFILE_TYPE_FILTER[] = L" and T_LightFile.filetype = '%s'";

LightFileDocClass GetLightFileDocClass(LPCWSTR lpszClassName)
{
    for (int i = 0; i < LFDC_COUNT; ++i) {
        if (CStringHelper::BSTRCompare(lpszClassName, s_szClassNames[i], 0) == 0)
            return static_cast<LightFileDocClass>(i);
    }
    return LFDC_NONE;
}

LPCWSTR GetLightFileSql(LightFileDocClass eClass)
{
    if (eClass < 0 || eClass >= LFDC_COUNT)
        return L"";
    return s_szLightFileSql[eClass];
}
