// What a command delivered to disk and what it failed to deliver, one record per file: the
// manifest, the summary and the exit status are all read from it.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <qvclient/Client.h>
#include <winenv/Trace.h>

namespace plmclient {

struct DeliveryRecord {
    std::string modulePath; // the Windows path the module named
    std::string diskPath;   // where that is on this machine

    // Where it came from.
    std::string objectClass; // the client's object that held the stored file ("LightFile", ...)
    long objectId = 0;
    std::string lightFileName;
    long documentId = 0;
    std::string documentClass;
    long revisionId = 0;
    std::string storedSha256;
    long long storedSize = 0;

    // As it left: read from disk once the command is over (-1: not there).
    bool delivered = false;
    long long size = -1;
    std::string sha256;

    // A failure: its status and what the user was shown.
    std::string status;
    std::string message;
    std::string takenBySha256; // refused: the content the command had already written there

    bool signAttempted = false; // the signing plug-in was called
    int signResult = 0;         // its result: stamps drawn, or negative for a failure
    std::string stamps;
    std::string signSkipped;
    std::string signError;

    bool watermarkAttempted = false;
    bool watermarked = false;
    std::string watermarkError;

    bool IsPdf() const;
    bool Signed() const { return !stamps.empty(); }
    // Signing or watermarking was tried and failed: the PDF left as it was fetched.
    bool SigningFailed() const { return signAttempted && signResult < 0; }
    bool WatermarkFailed() const { return watermarkAttempted && !watermarked; }
};

// A record a file for the reports that show them (the summary, the manifest, the terminal
// session); for the exit status alone, only what failed, so that a download of a large structure
// holds nothing a file.
enum class LedgerKeeps { EveryFile, FailuresOnly };

class DeliveryLedger {
public:
    // Listens to the client and the trace until destroyed.
    explicit DeliveryLedger(qvclient::Client& client, LedgerKeeps keeps = LedgerKeeps::EveryFile);
    ~DeliveryLedger();
    DeliveryLedger(const DeliveryLedger&) = delete;
    DeliveryLedger& operator=(const DeliveryLedger&) = delete;

    // Reads each delivered file's size and SHA-256 as it lies now and looks up the light file's
    // document; call after the command.
    void Finish();

    const std::vector<DeliveryRecord>& Records() const { return m_records; } // empty when keeping failures only
    bool AnyUndelivered() const;
    bool AnyIncompletePdf() const; // signing or watermarking failed

private:
    void OnDelivery(const qvclient::DeliveryEvent& e);
    void Observe(const winenv::TraceEvent& e);
    DeliveryRecord& Delivered(const std::string& modulePath); // found by disk path, or added
    void NoteStep(const std::string& modulePath, unsigned step, bool failed);

    qvclient::Client& m_client;
    const LedgerKeeps m_keeps;
    std::mutex m_mutex;
    std::vector<DeliveryRecord> m_records;
    std::unordered_map<std::wstring, size_t> m_deliveredAt; // a delivered file's record, by its folded disk path
    size_t m_awaitingMessage = static_cast<size_t>(-1); // the failure the next message box tells
    std::string m_lastTakenBy;                           // the refusal the next failure belongs to
    int m_cookie;

    // Keeping failures only: a failed fetch, and each PDF whose signing or watermark failed last.
    bool m_anyUndelivered = false;
    std::unordered_map<std::wstring, unsigned> m_failedSteps; // by folded disk path
};

} // namespace plmclient
