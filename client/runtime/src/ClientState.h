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

    std::mutex transactionMutex;       // guards the three members below
    Transaction* currentTransaction = nullptr; // the live one GetCurTransaction gives out
    // Global parameters read during the current transaction: a command reads them once, as the
    // client keeps its settings for the length of a command.
    std::map<std::wstring, LONG> commandParams;
    // Files the current command wrote, by the name the file system knows them under (case folded,
    // as Windows compares names), with the SHA-256 of what was written: a second file under the
    // same name with other content is refused instead of replacing the first without a word.
    std::map<std::wstring, std::string> commandDownloads;

    std::mutex mutex;           // guards the members below
    std::vector<PendingError> pendingErrors;
    WaitObserver waitObserver;
    DownloadObserver downloadObserver;
    DeliveryObserver deliveryObserver;
    // The light file each local path was last written from, and its content's checksum: what the
    // watermark's verification mark names (for the length of a command, as commandDownloads).
    std::map<std::wstring, std::pair<LONG, std::string>> deliveredFiles;
};

} // namespace qvclient
