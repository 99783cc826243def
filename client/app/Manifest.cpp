#include "Manifest.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "JsonText.h"

namespace plmclient {
namespace {

// Fields whose values are JSON numbers or booleans rather than strings.
bool IsBareJson(const std::string& field)
{
    static const char* const kBare[] = {"delivered", "object_id", "document_id", "revision_id", "size",
        "stored_size", "signed", "sign_result", "watermarked"};
    for (const char* bare : kBare)
        if (field == bare)
            return true;
    return false;
}

std::string CsvField(const std::string& value)
{
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string out = "\"";
    for (char c : value)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

bool EndsWithCsv(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".csv";
}

std::string Text(const std::vector<DeliveryRecord>& records, const ManifestHeader& header, bool csv)
{
    const std::vector<std::string>& fields = ManifestFields();
    std::string out;
    if (csv) {
        for (size_t k = 0; k < fields.size(); ++k)
            out += (k ? "," : "") + fields[k];
        out += "\r\n";
        for (const DeliveryRecord& r : records) {
            const std::vector<std::string> values = ManifestValues(r);
            for (size_t k = 0; k < values.size(); ++k)
                out += (k ? "," : "") + CsvField(values[k]);
            out += "\r\n";
        }
        return out;
    }
    out = "{\n  \"command\": " + JsonString(header.command) + ",\n  \"selection\": " + JsonString(header.selection) +
        ",\n  \"result\": " + JsonString(header.result) + ",\n  \"exit_status\": " +
        std::to_string(header.exitStatus) + ",\n  \"files\": [";
    for (size_t n = 0; n < records.size(); ++n) {
        const std::vector<std::string> values = ManifestValues(records[n]);
        out += n ? ",\n    {" : "\n    {";
        for (size_t k = 0; k < fields.size(); ++k)
            out += (k ? ", " : "") + JsonString(fields[k]) + ": " +
                (IsBareJson(fields[k]) ? values[k] : JsonString(values[k]));
        out += "}";
    }
    return out + (records.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

} // namespace

const std::vector<std::string>& ManifestFields()
{
    static const std::vector<std::string> kFields = {"path", "module_path", "delivered", "status", "message",
        "taken_by_sha256", "object_class", "object_id", "light_file", "document_id", "document_class", "revision_id",
        "size", "sha256", "stored_size", "stored_sha256", "signed", "sign_result", "stamps", "sign_skipped",
        "sign_error", "watermarked", "watermark_error"};
    return kFields;
}

std::vector<std::string> ManifestValues(const DeliveryRecord& r)
{
    const auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
    return {r.diskPath, r.modulePath, flag(r.delivered), r.status, r.message, r.takenBySha256, r.objectClass,
        std::to_string(r.objectId), r.lightFileName, std::to_string(r.documentId), r.documentClass,
        std::to_string(r.revisionId), std::to_string(r.size), r.sha256, std::to_string(r.storedSize),
        r.storedSha256, flag(r.Signed()), std::to_string(r.signResult), r.stamps, r.signSkipped, r.signError,
        flag(r.watermarked), r.watermarkError};
}

bool WriteManifest(const std::string& path, const ManifestHeader& header, const std::vector<DeliveryRecord>& records,
    std::string& error)
{
    const std::string text = Text(records, header, EndsWithCsv(path));
    std::ofstream file(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        error = "cannot write the manifest " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace plmclient
