// The working PLM client: opens a client folder (database, vault, temp and config folders) and
// registers its COM components so that the SDK and the module find them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QvInterfaces.h"
#include "qvclient/Database.h"
#include "qvclient/Vault.h"

namespace qvclient {

// What a client folder holds, by name. A folder whose database is on a server holds the server's
// connection string in kServerFile instead of the database file.
struct FolderLayout {
    static constexpr const wchar_t* kDatabaseFile = L"plm.db";
    static constexpr const wchar_t* kServerFile = L"plm.server";
    static constexpr const wchar_t* kVaultFolder = L"vault";
    static constexpr const wchar_t* kTempFolder = L"temp";
    static constexpr const wchar_t* kConfigFolder = L"config";
};

// One change of the wait window, as the host's progress bar would show it.
struct WaitEvent {
    std::wstring event; // "begin", "step" or "end"
    std::wstring caption;
    std::wstring text;
    LONG position = 0; // steps done since the lower bound
    LONG total = 0;    // upper bound minus lower bound
    HWND hWndParent = nullptr;
};
using WaitObserver = std::function<void(const WaitEvent&)>;

// The bytes of a stored file written so far to a local path (a Windows path, as the caller gave it).
using DownloadObserver = std::function<void(const std::wstring& localPath, ULONGLONG cbWritten)>;

// How one write of a stored file to a local path ended (success or failure), for a record of
// what left the system.
struct DeliveryEvent {
    std::wstring localPath; // a Windows path, as the caller gave it
    std::wstring className;
    LONG objectId = 0;
    std::string storedSha256; // empty when the object's stored file was not found
    LONGLONG storedSize = 0;
    HRESULT hr = S_OK;
};
using DeliveryObserver = std::function<void(const DeliveryEvent&)>;

// An error the client holds for the error service (IQvPendingErrors gives them out).
struct PendingError {
    HRESULT code = S_OK;
    std::wstring location;
    INT flag = 0;
};

struct ClientState;

class Client {
public:
    Client();
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Opens the folder's database read-only: the server its plm.server names (stored file
    // content on the same server), else its plm.db (content in its vault/ folder).
    // The folder may be a Windows or a POSIX path; the temp and config folders are made when
    // missing. The current user is the setting "CURRENT_USER" of the database (none: every
    // rights check says no).
    HRESULT Open(const std::wstring& folder);
    bool IsOpen() const;
    // The engine's or the server's message when Open failed.
    std::wstring GetOpenErrorText() const { return m_strOpenError; }

    // Registers every component class for CLSCTX_INPROC_SERVER; RevokeComponents (or the
    // destructor) takes them back. Only one client registers at a time.
    HRESULT RegisterComponents();
    void RevokeComponents();

    HRESULT SetCurrentUser(const std::wstring& login);

    void AddPendingError(HRESULT code, const std::wstring& location, INT flag = 0);
    void ClearPendingErrors();
    std::vector<PendingError> GetPendingErrors() const;

    // The class name of the object with this id, whatever its class (QV_E_OBJECTNOTFOUND: none;
    // QV_E_CLASSNOTFOUND: classes share its table and nothing tells which). A class the caller
    // names is the answer when its table holds the object and keeps no column naming the class.
    HRESULT GetObjectClassName(LONG objectId, std::wstring& className, const std::wstring& namedClass = L"") const;

    // Called for every begin, step and end of the wait window (besides the "wait" trace).
    void SetWaitObserver(WaitObserver observer);
    // Called after every chunk of a stored file written to a local path.
    void SetDownloadObserver(DownloadObserver observer);
    // Called once for every write of a stored file to a local path, when it has ended.
    void SetDeliveryObserver(DeliveryObserver observer);

    // At the start of a command: removes from the temporary folder the signature pictures that are
    // no longer their stored files' content and the signing jobs of earlier commands.
    void RemoveStaleTemporaryFiles() const;

    // The folders as the module is given them.
    std::wstring GetTempPath() const;
    std::wstring GetConfigPath() const;
    // The client's read-only connection (the one the module's queries run on).
    IDatabase* GetDatabase() const;
    // Where the stored files' content is read from.
    IVault* GetVault() const;

private:
    std::shared_ptr<ClientState> m_state;
    std::vector<DWORD> m_registrations;
    std::wstring m_strOpenError;
};

// The connection string of the server that keeps the folder's database (its plm.server file),
// with surrounding white space removed. S_FALSE when the folder has none.
HRESULT ReadFolderServer(const std::wstring& folder, std::string& conninfo);
// Makes the folder (when missing) and names the server in its plm.server file, which only the
// user may read (the string may hold a password).
HRESULT WriteFolderServer(const std::wstring& folder, const std::string& conninfo);
// Removes the folder's plm.server file; S_OK when there was none.
HRESULT ForgetFolderServer(const std::wstring& folder);

// An object of the client's model by class name and id (RawCreate then SetObjectID through
// the registered CLSID_QvOtlObject). *ppObject receives a reference the caller releases.
HRESULT OpenObject(LPCWSTR lpszClassName, LONG nObjectID, IQvOtlObject** ppObject);

} // namespace qvclient
