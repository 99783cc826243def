#include "temp/StaleTemporaryFiles.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <winenv/Trace.h>

#include "ClientState.h"
#include "PathMapping.h"
#include "vault/ReadOnlyFile.h"
#include "vault/Sha256.h"

namespace qvclient {
namespace {

namespace fs = std::filesystem;

// Names are compared as the bytes on disk (UTF-8): the C library's locale may convert none of the
// Chinese names a client folder holds.
const char kPictureFolder[] = "signature";
const char kJobSuffix[] = ".pdf.ini";
// The name the module gives a picture whose stored file has no name with a dot.
const wchar_t kUnnamedPicture[] = L"picture.bmp";

void Remove(const fs::path& path, const char* reason)
{
    std::error_code ec;
    if (fs::remove(path, ec))
        winenv::Trace("temp_removed", {{"path", path.string()}, {"reason", reason}});
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[text.size() - suffix.size() + i]);
        if (std::tolower(c) != std::tolower(static_cast<unsigned char>(suffix[i])))
            return false;
    }
    return true;
}

// SHA-256 of the file's content; empty when it cannot be read.
std::string HashOf(const fs::path& path)
{
    ReadOnlyFile file;
    if (FAILED(file.OpenForReading(path.string())))
        return std::string();
    Sha256 sha;
    std::vector<BYTE> buffer(64 * 1024);
    for (;;) {
        size_t cb = 0;
        if (FAILED(file.Read(buffer.data(), buffer.size(), cb)))
            return std::string();
        if (cb == 0)
            return sha.FinishHex();
        sha.Update(buffer.data(), cb);
    }
}

// Why the picture is not the current content of the stored file its name gives; null when it is.
const char* StalePicture(ClientState& state, const fs::directory_entry& entry)
{
    std::error_code ec;
    if (entry.symlink_status(ec).type() != fs::file_type::regular)
        return "not a file";
    const std::string name = entry.path().filename().string();
    size_t digits = 0;
    while (digits < name.size() && digits < 9 && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    if (digits == 0)
        return "no stored file";
    const LONG id = static_cast<LONG>(std::strtol(name.substr(0, digits).c_str(), nullptr, 10));
    const ClassInfo* pStoredFile = state.model->FindClass(L"StoredFile");
    StoredFileInfo stored;
    if (pStoredFile == nullptr || FAILED(state.model->GetContent(*pStoredFile, id, stored)))
        return "no stored file";
    const std::wstring expected = stored.name.find(L'.') == std::wstring::npos ? kUnnamedPicture : stored.name;
    if (name.substr(digits) != winenv::ToUtf8(expected))
        return "no stored file";
    const auto size = entry.file_size(ec);
    if (ec || static_cast<LONGLONG>(size) != stored.size)
        return "size differs";
    if (stored.sha256Recorded && HashOf(entry.path()) != stored.sha256)
        return "content differs";
    return nullptr;
}

} // namespace

void RemoveStaleTemporaryFiles(ClientState& state)
{
    if (!state.model || state.tempPath.empty())
        return;
    const fs::path temp(ToPosix(state.tempPath));
    std::error_code ec;
    for (fs::directory_iterator it(temp / kPictureFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec))
            continue; // a folder of the user's, not a picture
        if (const char* reason = StalePicture(state, *it))
            Remove(it->path(), reason);
    }
    for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec) && EndsWithNoCase(it->path().filename().string(), kJobSuffix))
            Remove(it->path(), "a job of an earlier command");
    }
}

} // namespace qvclient
