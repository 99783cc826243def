// The client's object model read from the database: classes and their hierarchy, object
// properties, relations, stored file content, rights and global parameters.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "qvclient/Database.h"

namespace qvclient {

struct ClassInfo {
    LONG id = 0;
    std::wstring name;
    LONG baseId = 0;
    std::wstring table;
};

struct RelatedObject {
    LONG classId = 0;
    LONG objectId = 0;
    LONG linkId = 0;
};

struct StoredFileInfo {
    LONG id = 0;
    std::wstring name;
    std::wstring vaultName;
    LONGLONG size = 0;
    std::string sha256; // 64 lower-case hex digits
    bool sha256Recorded = true; // false: the row has none (NULL), as rows of older systems
};

class ObjectModel {
public:
    explicit ObjectModel(IDatabase& database) : m_database(database) {}

    HRESULT LoadClasses();
    const ClassInfo* FindClass(const std::wstring& name) const;
    const ClassInfo* FindClass(LONG classId) const;
    bool IsDescendentOrSelf(const std::wstring& baseName, const std::wstring& className) const;
    // The class of an object known by its id alone (ids are unique across tables): the CLASS_ID of
    // its row where the table keeps one, else the one class of that table. QV_E_OBJECTNOTFOUND
    // when no class table holds it; QV_E_CLASSNOTFOUND when classes share its table and nothing
    // tells them apart. pNamed, the class a user named, is taken when its table holds the object
    // and keeps no CLASS_ID.
    HRESULT FindObjectClass(LONG objectId, const ClassInfo*& pClass, const ClassInfo* pNamed = nullptr);

    // One column of the object's row in its class table, by name without regard to case.
    HRESULT GetProperty(const ClassInfo& cls, LONG objectId, const std::wstring& property, DbValue& value);
    // Objects linked by a relation class, in the order the links were made. nDirection 1 goes
    // from role A to role B, any other value back.
    HRESULT GetRelated(const std::wstring& relation, const ClassInfo& cls, LONG objectId, LONG nDirection,
        std::vector<RelatedObject>& related);
    // The stored file that holds the object's content: itself for a stored file, else the one
    // its STOREDFILE_ID names.
    HRESULT GetContent(const ClassInfo& cls, LONG objectId, StoredFileInfo& file);

    HRESULT GetGlobalParam(const std::wstring& name, LONG& value);
    HRESULT GetSetting(const std::wstring& name, std::wstring& value);
    HRESULT FindUser(const std::wstring& login, LONG& userId);
    HRESULT HasRight(LONG userId, const std::wstring& behavior, const std::wstring& method, bool& allowed);

private:
    HRESULT QueryFirst(const std::wstring& sql, const std::vector<DbValue>& params,
        std::unique_ptr<IDbCursor>& cursor);
    // S_FALSE when no stored file has the id.
    HRESULT ReadStoredFile(LONG storedFileId, StoredFileInfo& file);
    HRESULT GetContentJoined(const ClassInfo& cls, LONG objectId, StoredFileInfo& file);
    static void SetStoredFile(const IDbCursor& row, int nFirst, LONG storedFileId, StoredFileInfo& file);

    IDatabase& m_database;
    std::vector<ClassInfo> m_classes;
    std::set<LONG> m_contentClasses; // classes whose table is known to have STOREDFILE_ID
};

} // namespace qvclient
