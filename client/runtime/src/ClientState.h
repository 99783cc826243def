// What the client's components share: the read-only connection, the object model, the vault,
// the folders, the current user, the pending errors and the wait and download observers.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "model/ObjectModel.h"
#include "qvclient/Client.h"
#include "qvclient/Database.h"
#include "qvclient/Vault.h"

namespace qvclient {

class Transaction;

struct ClientState {
    std::unique_ptr<IDatabase> database;
    std::unique_ptr<ObjectModel> model;
    std::wstring tempPath;      // as given to the module
    std::wstring configPath;    // as given to the module
    std::unique_ptr<IVault> vault; // on the connection's server, else the folder's vault/
    LONG currentUserId = 0;

    std::mutex transactionMutex;       // guards the two members below
    Transaction* currentTransaction = nullptr; // the live one GetCurTransaction gives out
    // Global parameters read during the current transaction: a command reads them once, as the
    // client keeps its settings for the length of a command.
    std::map<std::wstring, LONG> commandParams;

    std::mutex mutex;           // guards the four members below
    std::vector<PendingError> pendingErrors;
    WaitObserver waitObserver;
    DownloadObserver downloadObserver;
    // The light file each local path was last written from, and its content's checksum: what the
    // watermark's verification mark names.
    std::map<std::wstring, std::pair<LONG, std::string>> deliveredFiles;
};

} // namespace qvclient
