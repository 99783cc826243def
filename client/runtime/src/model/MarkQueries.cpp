#include "qvclient/MarkVerification.h"

#include "qvclient/VerificationMark.h"

namespace qvclient {
namespace {

// The light file class's id in the iteration-file links.
const LONG kLightFileClassId = 5250;

struct DocumentTables {
    const wchar_t* className;
    const wchar_t* document;
    const wchar_t* iterationFile;
    const wchar_t* revisionComposition;
    const wchar_t* masterComposition;
};

const DocumentTables kClasses[] = {
    {L"Document", L"T_document", L"T_DocumentItrfile", L"TI_DocumentRevcmp3212", L"TI_DocumentMascmp1001"},
    {L"Drawing", L"T_drawing", L"T_drawingItrfile", L"TI_drawingRevcmp3220", L"TI_drawingMascmp1002"},
    {L"CappDocument", L"T_CappDocument", L"T_CappDocumentItrfile", L"TI_CappDocumentRevcmp3228",
        L"TI_CappDocumentMascmp1003"},
    {L"3DDocument", L"T_3DDocument", L"T_3DDocumentItrfile", L"TI_3DDocumentRevcmp3236", L"TI_3DDocumentMascmp1004"},
};

const DocumentTables* TablesOf(const std::wstring& className)
{
    for (const DocumentTables& tables : kClasses)
        if (className == tables.className)
            return &tables;
    return nullptr;
}

// The first row of a statement; S_FALSE when there is none.
HRESULT First(IDatabase& database, const std::wstring& sql, const std::vector<DbValue>& params,
    std::unique_ptr<IDbCursor>& cursor)
{
    const HRESULT hr = database.Query(sql, params, cursor);
    if (FAILED(hr))
        return hr;
    return cursor->IsEof() ? S_FALSE : S_OK;
}

LONG AsLong(const DbValue& value)
{
    return value.type == DbValue::Type::Integer ? static_cast<LONG>(value.integer) : 0;
}

std::wstring AsText(const DbValue& value)
{
    return value.type == DbValue::Type::Text ? value.text : std::wstring();
}

} // namespace

HRESULT FindLightFileOrigin(IDatabase& database, LONG lightFileId, MarkContent& origin)
{
    // Asked for every watermarked PDF of a download: the texts are made once.
    static const std::vector<std::wstring> queries = [] {
        std::vector<std::wstring> texts;
        for (const DocumentTables& t : kClasses)
            texts.push_back(std::wstring(L"SELECT m.roleA_id, m.roleB_id FROM ") + t.iterationFile + L" f JOIN " +
                t.revisionComposition + L" r ON r.roleB_id = f.roleA_id JOIN " + t.masterComposition +
                L" m ON m.roleB_id = r.roleA_id WHERE f.roleB_id = ? AND f.ROLEB_CLASS_ID = ?");
        return texts;
    }();
    for (size_t i = 0; i < queries.size(); ++i) {
        std::unique_ptr<IDbCursor> cursor;
        const HRESULT hr = First(database, queries[i],
            {DbValue::Integer(lightFileId), DbValue::Integer(kLightFileClassId)}, cursor);
        if (FAILED(hr))
            return hr;
        if (hr == S_FALSE)
            continue;
        origin.lightFileId = lightFileId;
        origin.documentId = AsLong(cursor->GetValue(0));
        origin.revisionId = AsLong(cursor->GetValue(1));
        origin.className = kClasses[i].className;
        return S_OK;
    }
    return S_FALSE;
}

HRESULT VerifyMark(IDatabase& database, const MarkContent& mark, MarkVerdict& verdict)
{
    verdict = MarkVerdict();
    const DocumentTables* t = TablesOf(mark.className);
    if (t == nullptr)
        return S_OK;
    const DbValue documentId = DbValue::Integer(mark.documentId);
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = First(database, std::wstring(L"SELECT OBJ_ID FROM ") + t->document + L" WHERE OBJ_ID = ?", {documentId}, cursor);
    if (hr != S_OK)
        return FAILED(hr) ? hr : S_OK;
    verdict.documentKnown = true;

    hr = First(database,
        std::wstring(L"SELECT roleB_id FROM ") + t->masterComposition +
            L" WHERE roleA_id = ? AND CURRENT_REVISION <> 0 AND QUALIFICATION_ID = 0",
        {documentId}, cursor);
    if (hr != S_OK)
        return FAILED(hr) ? hr : S_OK; // withdrawn: no current revision
    const LONG currentRevision = AsLong(cursor->GetValue(0));

    if (currentRevision != mark.revisionId) {
        verdict.answer = MarkAnswer::Superseded;
        verdict.currentRevisionId = currentRevision;
        hr = First(database,
            L"SELECT MAX(s.creationdate) FROM T_DocumentSignature d JOIN T_Signature s ON s.OBJ_ID = d.roleB_id "
            L"WHERE d.roleA_id = ? AND d.Rev_id = ?",
            {documentId, DbValue::Integer(currentRevision)}, cursor);
        if (FAILED(hr))
            return hr;
        if (hr == S_OK)
            verdict.releasedWhen = AsText(cursor->GetValue(0));
        return S_OK;
    }

    // The same revision: is the light file still in its current iteration, with the same content?
    hr = First(database,
        std::wstring(L"SELECT s.SHA256 FROM T_LightFile l JOIN ") + t->iterationFile +
            L" f ON f.roleB_id = l.OBJ_ID AND f.ROLEB_CLASS_ID = ? JOIN " + t->revisionComposition +
            L" r ON r.roleB_id = f.roleA_id AND r.CURRENT_ITERATION <> 0 LEFT JOIN T_StoredFile s ON s.OBJ_ID = "
            L"l.STOREDFILE_ID WHERE r.roleA_id = ? AND l.OBJ_ID = ?",
        {DbValue::Integer(kLightFileClassId), DbValue::Integer(currentRevision), DbValue::Integer(mark.lightFileId)},
        cursor);
    if (FAILED(hr))
        return hr;
    std::string stored;
    if (hr == S_OK) {
        const std::wstring sha = AsText(cursor->GetValue(0));
        stored.assign(sha.begin(), sha.end());
    }
    verdict.answer = hr == S_OK && stored == mark.sha256 ? MarkAnswer::Current : MarkAnswer::Changed;
    if (verdict.answer == MarkAnswer::Changed)
        verdict.storedSha256 = stored;
    return S_OK;
}

} // namespace qvclient
