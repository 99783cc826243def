#include "LightFileOrigin.h"

namespace plmclient {
namespace {

// The document classes and their relation tables: document -> revision -> iteration -> file.
struct DocumentTables {
    const wchar_t* className;
    const wchar_t* iterationFiles;
    const wchar_t* revisionIterations;
    const wchar_t* documentRevisions;
};

const DocumentTables kDocumentTables[] = {
    {L"Document", L"T_DocumentItrfile", L"TI_DocumentRevcmp3212", L"TI_DocumentMascmp1001"},
    {L"Drawing", L"T_drawingItrfile", L"TI_drawingRevcmp3220", L"TI_drawingMascmp1002"},
    {L"CappDocument", L"T_CappDocumentItrfile", L"TI_CappDocumentRevcmp3228", L"TI_CappDocumentMascmp1003"},
    {L"3DDocument", L"T_3DDocumentItrfile", L"TI_3DDocumentRevcmp3236", L"TI_3DDocumentMascmp1004"},
};

LONG IntegerOf(const qvclient::DbValue& value)
{
    return value.type == qvclient::DbValue::Type::Integer ? static_cast<LONG>(value.integer) : 0;
}

} // namespace

HRESULT FindLightFileOrigin(qvclient::IDatabase& database, LONG lightFileId, LightFileOrigin& origin)
{
    origin = LightFileOrigin();
    const std::vector<qvclient::DbValue> params{qvclient::DbValue::Integer(lightFileId)};
    std::unique_ptr<qvclient::IDbCursor> cursor;
    HRESULT hr = database.Query(L"SELECT name FROM T_LightFile WHERE OBJ_ID = ?", params, cursor);
    if (FAILED(hr))
        return hr;
    if (cursor->IsEof())
        return S_FALSE;
    origin.name = cursor->GetValue(0).text;

    // The current revision first, when several iterations hold the file.
    for (const DocumentTables& t : kDocumentTables) {
        const std::wstring sql = std::wstring(L"SELECT m.roleA_id, m.roleB_id FROM ") + t.iterationFiles +
            L" i INNER JOIN " + t.revisionIterations + L" r ON r.roleB_id = i.roleA_id INNER JOIN " +
            t.documentRevisions + L" m ON m.roleB_id = r.roleA_id WHERE i.roleB_id = ?"
            L" ORDER BY m.CURRENT_REVISION DESC, r.CURRENT_ITERATION DESC";
        hr = database.Query(sql, params, cursor);
        if (FAILED(hr))
            return hr;
        if (cursor->IsEof())
            continue;
        origin.documentId = IntegerOf(cursor->GetValue(0));
        origin.revisionId = IntegerOf(cursor->GetValue(1));
        origin.documentClass = t.className;
        break;
    }
    return S_OK;
}

} // namespace plmclient
