#include "DeliveryLedger.h"

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <qvclient/Errors.h>
#include <qvclient/Vault.h>
#include <winenv/Paths.h>

#include "LightFileOrigin.h"

namespace plmclient {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr unsigned kSigning = 1;
constexpr unsigned kWatermark = 2;

std::string Hex(HRESULT hr)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
    return buf;
}

// Windows compares file names without case; so does the record of what landed where.
std::wstring FileKey(const std::string& path)
{
    std::wstring key = winenv::FromUtf8(path);
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return key;
}

bool SameFile(const std::string& a, const std::string& b)
{
    return FileKey(a) == FileKey(b);
}

std::string DiskPath(const std::string& modulePath)
{
    return winenv::ToPosixPath(winenv::FromUtf8(modulePath));
}

bool ReadWhole(const std::string& path, std::string& bytes)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

bool DeliveryRecord::IsPdf() const
{
    return diskPath.size() >= 4 && SameFile(diskPath.substr(diskPath.size() - 4), ".pdf");
}

DeliveryLedger::DeliveryLedger(qvclient::Client& client, LedgerKeeps keeps) : m_client(client), m_keeps(keeps)
{
    m_client.SetDeliveryObserver([this](const qvclient::DeliveryEvent& e) { OnDelivery(e); });
    m_cookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Observe(e); });
}

DeliveryLedger::~DeliveryLedger()
{
    winenv::RemoveTraceSink(m_cookie);
    m_client.SetDeliveryObserver(nullptr);
}

DeliveryRecord& DeliveryLedger::Delivered(const std::string& modulePath)
{
    const std::string disk = DiskPath(modulePath);
    // Found by name, not by a walk over the records: a large structure delivers tens of thousands.
    const auto [it, added] = m_deliveredAt.emplace(FileKey(disk), m_records.size());
    if (!added)
        return m_records[it->second];
    DeliveryRecord record;
    record.modulePath = modulePath;
    record.diskPath = disk;
    record.delivered = true;
    m_records.push_back(record);
    return m_records.back();
}

void DeliveryLedger::NoteStep(const std::string& modulePath, unsigned step, bool failed)
{
    const std::wstring key = FileKey(DiskPath(modulePath));
    const auto it = m_failedSteps.find(key);
    const unsigned steps = ((it == m_failedSteps.end() ? 0 : it->second) & ~step) | (failed ? step : 0);
    if (steps != 0)
        m_failedSteps[key] = steps;
    else if (it != m_failedSteps.end())
        m_failedSteps.erase(it);
}

void DeliveryLedger::OnDelivery(const qvclient::DeliveryEvent& e)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_keeps == LedgerKeeps::FailuresOnly) {
        m_anyUndelivered = m_anyUndelivered || FAILED(e.hr);
        return;
    }
    const std::string modulePath = winenv::ToUtf8(e.localPath);
    m_awaitingMessage = kNone;
    DeliveryRecord* pRecord = nullptr;
    if (SUCCEEDED(e.hr)) {
        // The same content again under a name is counted once.
        pRecord = &Delivered(modulePath);
    } else {
        m_records.emplace_back();
        pRecord = &m_records.back();
        pRecord->modulePath = modulePath;
        pRecord->diskPath = DiskPath(modulePath);
        pRecord->status = Hex(e.hr);
        if (e.hr == qvclient::QV_E_NAMETAKEN)
            pRecord->takenBySha256 = m_lastTakenBy;
        m_awaitingMessage = m_records.size() - 1;
    }
    m_lastTakenBy.clear();
    // The same content again keeps the origin of its first delivery.
    if (!pRecord->objectClass.empty())
        return;
    pRecord->objectClass = winenv::ToUtf8(e.className);
    pRecord->objectId = e.objectId;
    pRecord->storedSha256 = e.storedSha256;
    pRecord->storedSize = e.storedSize;
}

void DeliveryLedger::Observe(const winenv::TraceEvent& e)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_keeps == LedgerKeeps::FailuresOnly) {
        if (e.kind == "signed")
            NoteStep(e.Get("pdf"), kSigning, std::atoi(e.Get("result").c_str()) < 0);
        else if (e.kind == "watermark")
            NoteStep(e.Get("path"), kWatermark, e.Get("result") != "0x00000000");
        return;
    }
    if (e.kind == "download_refused") {
        m_lastTakenBy = e.Get("written_sha256");
    } else if (e.kind == "messagebox" || e.kind == "error_report") {
        if (m_awaitingMessage == kNone)
            return;
        DeliveryRecord& r = m_records[m_awaitingMessage];
        r.message = e.kind == "messagebox" ? e.Get("caption") + ": " + e.Get("text") : e.Get("text");
        m_awaitingMessage = kNone;
    } else if (e.kind == "signed") {
        DeliveryRecord& r = Delivered(e.Get("pdf"));
        r.signAttempted = true;
        r.signResult = std::atoi(e.Get("result").c_str());
        r.stamps = e.Get("stamps");
        r.signSkipped = e.Get("skipped");
        r.signError = e.Get("error");
    } else if (e.kind == "watermark") {
        DeliveryRecord& r = Delivered(e.Get("path"));
        r.watermarkAttempted = true;
        r.watermarked = e.Get("result") == "0x00000000";
        r.watermarkError = r.watermarked ? std::string() : e.Get("result") + " " + e.Get("error");
    }
}

void DeliveryLedger::Finish()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    qvclient::IDatabase* pDatabase = m_client.GetDatabase();
    for (DeliveryRecord& r : m_records) {
        if (r.delivered) {
            std::string bytes;
            if (ReadWhole(r.diskPath, bytes)) {
                r.size = static_cast<long long>(bytes.size());
                r.sha256 = qvclient::Sha256Hex(bytes);
            }
        }
        LightFileOrigin origin;
        if (pDatabase && r.objectClass == "LightFile" &&
            FindLightFileOrigin(*pDatabase, static_cast<LONG>(r.objectId), origin) == S_OK) {
            r.lightFileName = winenv::ToUtf8(origin.name);
            r.documentId = origin.documentId;
            r.documentClass = winenv::ToUtf8(origin.documentClass);
            r.revisionId = origin.revisionId;
        }
    }
}

bool DeliveryLedger::AnyUndelivered() const
{
    if (m_anyUndelivered)
        return true;
    for (const DeliveryRecord& r : m_records)
        if (!r.delivered)
            return true;
    return false;
}

bool DeliveryLedger::AnyIncompletePdf() const
{
    if (!m_failedSteps.empty())
        return true;
    for (const DeliveryRecord& r : m_records)
        if (r.delivered && (r.SigningFailed() || r.WatermarkFailed()))
            return true;
    return false;
}

} // namespace plmclient
