// What the client's components share: the read-only connection, the object model, the
// folders, the current user, the pending errors and the wait observer.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "model/ObjectModel.h"
#include "qvclient/Client.h"
#include "qvclient/Database.h"

namespace qvclient {

class Transaction;

struct ClientState {
    std::unique_ptr<IDatabase> database;
    std::unique_ptr<ObjectModel> model;
    std::wstring tempPath;      // as given to the module
    std::wstring configPath;    // as given to the module
    std::string vaultFolder;    // POSIX
    LONG currentUserId = 0;

    std::mutex transactionMutex;
    Transaction* currentTransaction = nullptr; // the live one GetCurTransaction gives out

    std::mutex mutex;           // guards the two members below
    std::vector<PendingError> pendingErrors;
    WaitObserver waitObserver;
};

} // namespace qvclient
