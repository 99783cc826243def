// What the client's components share: the read-only connection, the object model, the vault,
// the folders, the current user, the pending errors and the wait and download observers.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ObjectModel.h"
#include "qvclient/Client.h"
#include "qvclient/Database.h"
#include "qvclient/Vault.h"

namespace qvclient {

class Transaction;

// A file the current command wrote: its content's SHA-256, and the light file it came from (0 for
// another object's file).
struct CommandFile {
    std::string sha256;
    LONG lightFileId = 0;
};

struct ClientState {
    std::unique_ptr<IDatabase> database;
    std::unique_ptr<ObjectModel> model;
    std::wstring tempPath;      // as given to the module
    std::wstring configPath;    // as given to the module
    std::unique_ptr<IVault> vault; // on the connection's server, else the folder's vault/
    LONG currentUserId = 0;

    std::mutex transactionMutex;       // guards the three members below
    Transaction* currentTransaction = nullptr; // the live one GetCurTransaction gives out
    // Global parameters read during the current transaction: a command reads them once, as the
    // client keeps its settings for the length of a command.
    std::map<std::wstring, LONG> commandParams;
    // Files the current command wrote (components/CommandFiles.h), by the name the file system
    // knows them under.
    std::unordered_map<std::string, CommandFile> commandFiles;

    std::mutex mutex;           // guards the members below
    std::vector<PendingError> pendingErrors;
    WaitObserver waitObserver;
    DownloadObserver downloadObserver;
    DeliveryObserver deliveryObserver;
};

} // namespace qvclient
