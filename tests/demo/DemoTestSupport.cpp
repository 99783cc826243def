#include "DemoTestSupport.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include <winenv/Trace.h>

#include "catalogue/LightFileSql.h"

namespace demotest {

namespace {

std::string ValueText(const qvclient::DbValue& value)
{
    switch (value.type) {
    case qvclient::DbValue::Type::Null: return "NULL";
    case qvclient::DbValue::Type::Integer: return std::to_string(value.integer);
    case qvclient::DbValue::Type::Real: return std::to_string(value.real);
    case qvclient::DbValue::Type::Text: return winenv::ToUtf8(value.text);
    case qvclient::DbValue::Type::Blob: return std::string(value.blob.begin(), value.blob.end());
    }
    return {};
}

const wchar_t* const kDocumentTables[][2] = {
    {L"Document", L"T_document"}, {L"Drawing", L"T_drawing"}, {L"CappDocument", L"T_CappDocument"},
    {L"3DDocument", L"T_3DDocument"}};

} // namespace

std::string Rows(qvclient::IDatabase& database, const std::wstring& sql)
{
    std::unique_ptr<qvclient::IDbCursor> cursor;
    if (FAILED(database.Query(sql, {}, cursor)))
        return "<query failed: " + winenv::ToUtf8(sql) + ">";
    std::string text;
    for (; !cursor->IsEof(); cursor->MoveNext()) {
        for (int c = 0; c < cursor->GetColumnCount(); ++c)
            text += (c ? "\t" : "") + ValueText(cursor->GetValue(c));
        text += "\n";
    }
    return text;
}

LONG Count(qvclient::IDatabase& database, const std::wstring& sql)
{
    std::unique_ptr<qvclient::IDbCursor> cursor;
    if (FAILED(database.Query(sql, {}, cursor)) || cursor->IsEof())
        return -1;
    return static_cast<LONG>(cursor->GetValue(0).integer);
}

std::vector<DocumentRef> AllDocuments(qvclient::IDatabase& database)
{
    std::vector<DocumentRef> documents;
    for (const auto& entry : kDocumentTables) {
        std::unique_ptr<qvclient::IDbCursor> cursor;
        if (FAILED(database.Query(std::wstring(L"SELECT OBJ_ID FROM ") + entry[1] + L" ORDER BY OBJ_ID", {}, cursor)))
            continue;
        for (; !cursor->IsEof(); cursor->MoveNext())
            documents.push_back({entry[0], static_cast<LONG>(cursor->GetValue(0).integer)});
    }
    return documents;
}

std::vector<LightFileRow> ModuleLightFiles(qvclient::IDatabase& database, const DocumentRef& document)
{
    const LPCWSTR pszFormat = GetLightFileSql(GetLightFileDocClass(document.className.c_str()));
    std::vector<LightFileRow> rows;
    if (pszFormat == nullptr)
        return rows;
    std::vector<wchar_t> sql(std::wcslen(pszFormat) + 64);
    std::swprintf(sql.data(), sql.size(), pszFormat, 5250, static_cast<int>(document.id));
    std::unique_ptr<qvclient::IDbCursor> cursor;
    if (FAILED(database.Query(sql.data(), {}, cursor)))
        return rows;
    for (; !cursor->IsEof(); cursor->MoveNext()) {
        rows.push_back({static_cast<LONG>(cursor->GetValue(0).integer), cursor->GetValue(1).text,
            static_cast<LONG>(cursor->GetValue(2).integer)});
    }
    return rows;
}

std::string DumpDatabase(qvclient::IDatabase& database)
{
    std::string dump;
    for (const wchar_t* table :
        {L"T_IdSequence", L"T_Part", L"T_Folder", L"T_ObjectLink", L"T_WorkflowItem", L"T_User", L"T_UserRight",
            L"T_GlobalParam", L"T_ClientSetting", L"T_StoredFile", L"T_LightFile", L"T_DocumentSignature",
            L"T_Signature", L"T_SignatureCfg", L"T_SignatureLocationCfg", L"T_document", L"T_DocumentItrfile",
            L"TI_DocumentRevcmp3212", L"TI_DocumentMascmp1001", L"T_drawing", L"T_drawingItrfile",
            L"TI_drawingRevcmp3220", L"TI_drawingMascmp1002", L"T_CappDocument", L"T_CappDocumentItrfile",
            L"TI_CappDocumentRevcmp3228", L"TI_CappDocumentMascmp1003", L"T_3DDocument", L"T_3DDocumentItrfile",
            L"TI_3DDocumentRevcmp3236", L"TI_3DDocumentMascmp1004"}) {
        dump += "== " + winenv::ToUtf8(table) + "\n" +
            Rows(database, std::wstring(L"SELECT * FROM ") + table + L" ORDER BY 1");
    }
    return dump;
}

std::string DumpVault(const qvclient::Client& client)
{
    std::unique_ptr<qvclient::IDbCursor> cursor;
    if (FAILED(client.GetDatabase()->Query(L"SELECT DISTINCT VAULT_NAME FROM T_StoredFile ORDER BY 1", {}, cursor)))
        return "(no stored files)";
    std::string dump;
    for (; !cursor->IsEof(); cursor->MoveNext()) {
        const std::wstring name = cursor->GetValue(0).text;
        std::string content;
        const HRESULT hr = qvclient::ReadVaultContent(*client.GetVault(), name, content);
        dump += "== " + winenv::ToUtf8(name) + (SUCCEEDED(hr) ? "\n" + content : " unreadable\n");
    }
    return dump;
}

} // namespace demotest
