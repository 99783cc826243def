// What the current command wrote, one small record a file (a download may write 300,000): the
// SHA-256 of each file's content, so that a second file under the same name with other content is
// refused instead of replacing the first without a word, and the light file it came from, which
// the watermark's verification mark names. Kept for the length of a command (its transaction).
#pragma once

#include <string>

#include <windows.h>

namespace qvclient {

struct ClientState;

// The name a written file is known by within a command: its POSIX path, case folded, as Windows
// compares file names without case.
std::string CommandFileKey(const std::string& posixPath);

// QV_E_NAMETAKEN, with the earlier content's SHA-256, when the current command already wrote
// other content under this name.
HRESULT CheckCommandFile(ClientState& state, const std::string& key, const std::string& sha256,
    std::string& earlierSha256);

// Records a file the current command wrote (nothing outside a command); `lightFileId` is 0 for
// another object's file.
void RememberCommandFile(ClientState& state, const std::string& key, const std::string& sha256, LONG lightFileId);

// The light file the current command last wrote under that local path, and its content's SHA-256.
bool FindWrittenLightFile(ClientState& state, const std::wstring& localPath, LONG& lightFileId, std::string& sha256);

} // namespace qvclient
