// What the client's components share: the read-only connection, the object model, the vault,
// the folders, the current user, the pending errors and the wait and download observers.
#pragma once

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

    std::mutex transactionMutex;
    Transaction* currentTransaction = nullptr; // the live one GetCurTransaction gives out

    std::mutex mutex;           // guards the three members below
    std::vector<PendingError> pendingErrors;
    WaitObserver waitObserver;
    DownloadObserver downloadObserver;
};

} // namespace qvclient
