#include "ObjectModel.h"

#include <algorithm>

#include "qvclient/Errors.h"

#include <winenv/Trace.h>

namespace qvclient {
namespace {

// Names that may stand in SQL text as identifiers: letters, digits and underscores.
bool IsPlainIdentifier(const std::wstring& name)
{
    if (name.empty())
        return false;
    for (wchar_t c : name) {
        const bool bOk = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
        if (!bOk)
            return false;
    }
    return true;
}

LONG AsLong(const DbValue& value)
{
    return value.type == DbValue::Type::Integer ? static_cast<LONG>(value.integer) : 0;
}

} // namespace

HRESULT ObjectModel::QueryFirst(const std::wstring& sql, const std::vector<DbValue>& params,
    std::unique_ptr<IDbCursor>& cursor)
{
    HRESULT hr = m_database.Query(sql, params, cursor);
    if (FAILED(hr))
        return hr;
    return cursor->IsEof() ? S_FALSE : S_OK;
}

HRESULT ObjectModel::LoadClasses()
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = m_database.Query(L"SELECT CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME FROM T_Class", {}, cursor);
    if (FAILED(hr))
        return hr;
    m_classes.clear();
    m_contentClasses.clear();
    for (; !cursor->IsEof(); hr = cursor->MoveNext()) {
        if (FAILED(hr))
            return hr;
        ClassInfo cls;
        cls.id = AsLong(cursor->GetValue(0));
        cls.name = cursor->GetValue(1).text;
        cls.baseId = AsLong(cursor->GetValue(2));
        cls.table = cursor->GetValue(3).text;
        m_classes.push_back(std::move(cls));
    }
    return FAILED(hr) ? hr : S_OK;
}

const ClassInfo* ObjectModel::FindClass(const std::wstring& name) const
{
    for (const ClassInfo& cls : m_classes) {
        if (cls.name == name)
            return &cls;
    }
    return nullptr;
}

const ClassInfo* ObjectModel::FindClass(LONG classId) const
{
    for (const ClassInfo& cls : m_classes) {
        if (cls.id == classId)
            return &cls;
    }
    return nullptr;
}

bool ObjectModel::IsDescendentOrSelf(const std::wstring& baseName, const std::wstring& className) const
{
    const ClassInfo* pClass = FindClass(className);
    // The depth bound keeps a cycle in a damaged class table from hanging the client.
    for (size_t depth = 0; pClass != nullptr && depth <= m_classes.size(); ++depth) {
        if (pClass->name == baseName)
            return true;
        pClass = pClass->baseId != 0 ? FindClass(pClass->baseId) : nullptr;
    }
    return false;
}

HRESULT ObjectModel::FindObjectClass(LONG objectId, const ClassInfo*& pClass, const ClassInfo* pNamed)
{
    pClass = nullptr;
    // The class named is the object's when its table holds the object and has no column that
    // says otherwise, even where other classes share the table.
    if (pNamed != nullptr && IsPlainIdentifier(pNamed->table)) {
        std::unique_ptr<IDbCursor> cursor;
        const HRESULT hr =
            QueryFirst(L"SELECT * FROM " + pNamed->table + L" WHERE OBJ_ID = ?", {DbValue::Integer(objectId)}, cursor);
        if (FAILED(hr))
            return hr;
        if (hr == S_OK && cursor->FindColumn(L"CLASS_ID") < 0) {
            pClass = pNamed;
            return S_OK;
        }
    }
    std::vector<std::wstring> tables;
    for (const ClassInfo& cls : m_classes) {
        if (std::find(tables.begin(), tables.end(), cls.table) != tables.end() || !IsPlainIdentifier(cls.table))
            continue;
        tables.push_back(cls.table);
        std::unique_ptr<IDbCursor> cursor;
        HRESULT hr = QueryFirst(L"SELECT * FROM " + cls.table + L" WHERE OBJ_ID = ?", {DbValue::Integer(objectId)}, cursor);
        if (FAILED(hr))
            return hr;
        if (hr == S_FALSE)
            continue;
        const int nClassColumn = cursor->FindColumn(L"CLASS_ID");
        if (nClassColumn >= 0) {
            pClass = FindClass(AsLong(cursor->GetValue(nClassColumn)));
        } else if (std::count_if(m_classes.begin(), m_classes.end(),
                       [&](const ClassInfo& other) { return other.table == cls.table; }) == 1) {
            pClass = &cls;
        }
        return pClass != nullptr ? S_OK : QV_E_CLASSNOTFOUND;
    }
    return QV_E_OBJECTNOTFOUND;
}

HRESULT ObjectModel::GetProperty(const ClassInfo& cls, LONG objectId, const std::wstring& property, DbValue& value)
{
    value = DbValue::Null();
    if (!IsPlainIdentifier(property) || !IsPlainIdentifier(cls.table))
        return DISP_E_UNKNOWNNAME;
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT * FROM " + cls.table + L" WHERE OBJ_ID = ?", {DbValue::Integer(objectId)}, cursor);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return QV_E_OBJECTNOTFOUND;
    const int nColumn = cursor->FindColumn(property);
    if (nColumn < 0)
        return DISP_E_UNKNOWNNAME;
    value = cursor->GetValue(nColumn);
    return S_OK;
}

HRESULT ObjectModel::GetRelated(const std::wstring& relation, const ClassInfo& cls, LONG objectId, LONG nDirection,
    std::vector<RelatedObject>& related)
{
    related.clear();
    const ClassInfo* pRelation = FindClass(relation);
    if (pRelation == nullptr || pRelation->table != L"T_ObjectLink")
        return QV_E_CLASSNOTFOUND;
    const wchar_t* pszSql = nDirection == 1
        ? L"SELECT ROLEB_CLASS_ID, roleB_id, OBJ_ID FROM T_ObjectLink WHERE RELATION_CLASS_ID = ? AND roleA_id = ? "
          L"AND ROLEA_CLASS_ID = ? ORDER BY SEQ, OBJ_ID"
        : L"SELECT ROLEA_CLASS_ID, roleA_id, OBJ_ID FROM T_ObjectLink WHERE RELATION_CLASS_ID = ? AND roleB_id = ? "
          L"AND ROLEB_CLASS_ID = ? ORDER BY SEQ, OBJ_ID";
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = m_database.Query(pszSql,
        {DbValue::Integer(pRelation->id), DbValue::Integer(objectId), DbValue::Integer(cls.id)}, cursor);
    if (FAILED(hr))
        return hr;
    for (; !cursor->IsEof(); hr = cursor->MoveNext()) {
        if (FAILED(hr))
            return hr;
        related.push_back({AsLong(cursor->GetValue(0)), AsLong(cursor->GetValue(1)), AsLong(cursor->GetValue(2))});
    }
    return FAILED(hr) ? hr : S_OK;
}

HRESULT ObjectModel::GetContent(const ClassInfo& cls, LONG objectId, StoredFileInfo& file)
{
    if (cls.name == L"StoredFile") {
        const HRESULT hr = ReadStoredFile(objectId, file);
        return hr == S_FALSE ? QV_E_OBJECTNOTFOUND : hr;
    }
    if (m_contentClasses.count(cls.id) != 0)
        return GetContentJoined(cls, objectId, file);
    DbValue reference;
    HRESULT hr = GetProperty(cls, objectId, L"STOREDFILE_ID", reference);
    if (hr == DISP_E_UNKNOWNNAME)
        return QV_E_NOCONTENT;
    if (FAILED(hr))
        return hr;
    // The table has the column: later files of this class take one joined statement.
    m_contentClasses.insert(cls.id);
    if (reference.type != DbValue::Type::Integer)
        return QV_E_NOCONTENT;
    hr = ReadStoredFile(static_cast<LONG>(reference.integer), file);
    return hr == S_FALSE ? QV_E_NOCONTENT : hr;
}

HRESULT ObjectModel::GetContentJoined(const ClassInfo& cls, LONG objectId, StoredFileInfo& file)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT o.STOREDFILE_ID, s.OBJ_ID, s.name, s.VAULT_NAME, s.FILE_SIZE, s.SHA256 FROM " +
                                cls.table + L" o LEFT JOIN T_StoredFile s ON s.OBJ_ID = o.STOREDFILE_ID WHERE o.OBJ_ID = ?",
        {DbValue::Integer(objectId)}, cursor);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return QV_E_OBJECTNOTFOUND;
    const DbValue reference = cursor->GetValue(0);
    if (reference.type != DbValue::Type::Integer)
        return QV_E_NOCONTENT;
    const LONG storedFileId = static_cast<LONG>(reference.integer);
    // An id beyond LONG is looked up cut to LONG, as the two-statement path does.
    if (storedFileId != reference.integer) {
        hr = ReadStoredFile(storedFileId, file);
        return hr == S_FALSE ? QV_E_NOCONTENT : hr;
    }
    if (cursor->GetValue(1).IsNull())
        return QV_E_NOCONTENT;
    SetStoredFile(*cursor, 1, storedFileId, file);
    return S_OK;
}

void ObjectModel::SetStoredFile(const IDbCursor& row, int nFirst, LONG storedFileId, StoredFileInfo& file)
{
    file.id = storedFileId;
    file.name = row.GetValue(nFirst + 1).text;
    file.vaultName = row.GetValue(nFirst + 2).text;
    file.size = row.GetValue(nFirst + 3).integer;
    file.sha256 = winenv::ToUtf8(row.GetValue(nFirst + 4).text);
    file.sha256Recorded = !row.GetValue(nFirst + 4).IsNull();
}

HRESULT ObjectModel::ReadStoredFile(LONG storedFileId, StoredFileInfo& file)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT OBJ_ID, name, VAULT_NAME, FILE_SIZE, SHA256 FROM T_StoredFile WHERE OBJ_ID = ?",
        {DbValue::Integer(storedFileId)}, cursor);
    if (hr == S_OK)
        SetStoredFile(*cursor, 0, storedFileId, file);
    return hr;
}

HRESULT ObjectModel::GetGlobalParam(const std::wstring& name, LONG& value)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT VALUE FROM T_GlobalParam WHERE NAME = ?", {DbValue::Text(name)}, cursor);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return QV_E_PARAMNOTFOUND;
    value = AsLong(cursor->GetValue(0));
    return S_OK;
}

HRESULT ObjectModel::GetSetting(const std::wstring& name, std::wstring& value)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT VALUE FROM T_ClientSetting WHERE NAME = ?", {DbValue::Text(name)}, cursor);
    if (hr == S_OK)
        value = cursor->GetValue(0).text;
    return hr;
}

HRESULT ObjectModel::FindUser(const std::wstring& login, LONG& userId)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT OBJ_ID FROM T_User WHERE LOGIN = ?", {DbValue::Text(login)}, cursor);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return QV_E_OBJECTNOTFOUND;
    userId = AsLong(cursor->GetValue(0));
    return S_OK;
}

HRESULT ObjectModel::HasRight(LONG userId, const std::wstring& behavior, const std::wstring& method, bool& allowed)
{
    std::unique_ptr<IDbCursor> cursor;
    HRESULT hr = QueryFirst(L"SELECT OBJ_ID FROM T_UserRight WHERE UserID = ? AND Behavior = ? AND Method = ?",
        {DbValue::Integer(userId), DbValue::Text(behavior), DbValue::Text(method)}, cursor);
    if (FAILED(hr))
        return hr;
    allowed = hr == S_OK;
    return S_OK;
}

} // namespace qvclient
