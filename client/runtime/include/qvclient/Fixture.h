// Builds a client folder for tests and demos: a new database with the schema, the vault (the
// folder's vault/, or the content table on the database's server), and
// the objects of the model. Methods give the new object's id; the first failure is kept in
// GetStatus() and later calls go on (giving 0), so a test checks the status once.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qvclient/Database.h"
#include "qvclient/Vault.h"

namespace qvclient {

inline constexpr LONG kLightFileClassId = 5250;

// The tables of one document class.
struct DocumentClassTables {
    LONG classId;
    const wchar_t* className;
    const wchar_t* documentTable;
    const wchar_t* itrfileTable;  // iteration -> file
    const wchar_t* revcmpTable;   // revision -> iteration
    const wchar_t* mascmpTable;   // document -> revision
};
// "Document", "Drawing", "CappDocument" or "3DDocument"; null for any other name.
const DocumentClassTables* FindDocumentClass(const std::wstring& className);

// One light file to add: content bytes, or the bytes of a source file when sourcePath is set.
struct LightFileSpec {
    std::wstring name;
    std::wstring filetype;
    std::string content;
    std::string sourcePath; // POSIX
};

// What AddDocumentWithLightFiles made.
struct DocumentFixture {
    LONG documentId = 0;
    LONG revisionId = 0;
    LONG iterationId = 0;
    std::vector<LONG> lightFileIds;
};

class FixtureBuilder {
public:
    // Makes the folder, its temp and config folders, and a new database (an existing one
    // is replaced): in plm.db, or on the server that the folder's plm.server names, or, when the
    // environment variable VIZ_TEST_PG holds a connection string, in a schema of its own on that
    // server (then plm.server is written); a vault/ folder only for a database in plm.db. The
    // folder may be a Windows or a POSIX path. On the folder's server, ownerConnection (when
    // given) makes the tables and plm.server's role may read them: the client refuses a role
    // that may write.
    explicit FixtureBuilder(const std::wstring& folder, const std::string& ownerConnection = {});
    ~FixtureBuilder();
    FixtureBuilder(const FixtureBuilder&) = delete;
    FixtureBuilder& operator=(const FixtureBuilder&) = delete;

    HRESULT GetStatus() const { return m_hrStatus; }
    const std::string& GetPosixFolder() const { return m_folder; }
    IDatabase* GetDatabase() const { return m_database.get(); }
    // Runs any statement, for cases the methods do not cover.
    HRESULT Execute(const std::wstring& sql, const std::vector<DbValue>& params = {});
    LONG NewId();

    // ---- users, rights, settings
    LONG AddUser(const std::wstring& login, const std::wstring& name);
    void GrantRight(LONG userId, const std::wstring& behavior, const std::wstring& method);
    void SetCurrentUser(const std::wstring& login);
    void SetGlobalParam(const std::wstring& name, LONG value);

    // ---- structure
    LONG AddPart(const std::wstring& name, const std::wstring& partNumber = L"");
    // className "Folder", "FolderOfProduct" or "3DFolder".
    LONG AddFolder(const std::wstring& className, const std::wstring& name);
    // Appends a link of the relation from (classA, idA) to (classB, idB); links keep their order.
    LONG Link(const std::wstring& relation, const std::wstring& classA, LONG idA, const std::wstring& classB, LONG idB);
    LONG AddSubPart(LONG parentPartId, LONG childPartId);
    LONG AddPartDocument(LONG partId, const std::wstring& documentClass, LONG documentId);
    LONG AddSubFolder(const std::wstring& parentClass, LONG parentId, const std::wstring& childClass, LONG childId);
    LONG AddFolderDocument(const std::wstring& folderClass, LONG folderId, const std::wstring& documentClass,
        LONG documentId);

    // ---- documents, revisions, iterations, files
    LONG AddDocument(const std::wstring& className, const std::wstring& name, const std::wstring& filetype);
    LONG AddRevision(const std::wstring& className, LONG documentId, bool bCurrent = true);
    // A new iteration of the revision, its current one.
    LONG AddIteration(const std::wstring& className, LONG revisionId);
    LONG AddLightFile(const std::wstring& className, LONG iterationId, const LightFileSpec& file);
    LONG AddStoredFile(const std::wstring& name, const std::string& content);
    LONG AddStoredFileFromSource(const std::wstring& name, const std::string& sourcePath);
    // A stored file whose content the source gives a chunk at a time (of any size).
    LONG AddStoredFileWithContent(const std::wstring& name, const VaultSource& source);
    // Content in the vault under a name of its own, for stored files that share it.
    bool WriteVaultFile(const std::wstring& vaultName, const std::string& content);
    bool WriteVaultContent(const std::wstring& vaultName, const VaultSource& source);
    // A stored file whose content is the vault file this builder wrote under vaultName (its
    // SHA-256 is then known; else the stored file has none and a copy is checked by its size alone).
    LONG AddStoredFileInVault(const std::wstring& name, const std::wstring& vaultName, LONGLONG size);
    // A light file of an existing stored file, linked to the iteration.
    LONG AddLightFileOfStoredFile(const std::wstring& className, LONG iterationId, const std::wstring& name,
        const std::wstring& filetype, LONG storedFileId);
    // A document with one current revision and iteration holding the light files.
    DocumentFixture AddDocumentWithLightFiles(const std::wstring& className, const std::wstring& name,
        const std::wstring& filetype, const std::vector<LightFileSpec>& files);

    // ---- signatures
    LONG AddSignature(const std::wstring& documentClass, LONG documentId, LONG revisionId, LONG userId,
        const std::wstring& creationDate, const std::wstring& wfState, const std::wstring& wfTemplate);
    LONG AddSignatureConfig(LONG userId, LONG format, const std::wstring& signContent, const std::wstring& font,
        const std::wstring& pictureStyle, LONG pictureFileId);
    LONG AddSignatureLocation(const std::wstring& wfState, const std::wstring& wfTemplate,
        const std::wstring& nameLocation, const std::wstring& timeLocation);

    // ---- workflow
    LONG AddWorkflowItem(const std::wstring& name, const std::wstring& wfTemplate = L"",
        const std::wstring& wfState = L"");
    LONG AttachToWorkflowItem(LONG flowItemId, const std::wstring& className, LONG objectId);

private:
    LONG ClassId(const std::wstring& className);
    LONG Insert(const std::wstring& sql, std::vector<DbValue> params); // params without the leading id
    bool Check(HRESULT hr);

    struct VaultContent {
        LONGLONG size = 0;
        std::string sha256;
    };

    std::string m_folder;
    std::unique_ptr<IDatabase> m_database;
    std::unique_ptr<IVault> m_vault; // on the database's server, else the folder's vault/
    std::map<std::wstring, VaultContent> m_vaultContents;
    HRESULT m_hrStatus = S_OK;
    std::map<std::wstring, LONG> m_classIds; // classes never change once the schema is in
    static constexpr LONG kIdBlock = 256;
    LONG m_nextId = 0;     // ids taken from the sequence and not handed out yet: [m_nextId, m_idBlockEnd)
    LONG m_idBlockEnd = 0;
};

// A small product for plmclient --create-sample: a top assembly with a sub-assembly, documents
// of all four classes with PDF, DWG and STEP light files, a folder tree, a workflow item, the
// user "zhang" with the "OutputFile" right, and signatures with their configuration.
HRESULT CreateSampleDatabase(const std::wstring& folder, const std::string& ownerConnection = {});

} // namespace qvclient
