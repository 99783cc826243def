// Small POSIX helpers of the file functions.
#pragma once

#include <string>

#include <windef.h>

namespace win32core {

bool PosixExists(const std::string& path);
bool PosixIsDirectory(const std::string& path);
// ERROR_FILE_NOT_FOUND when the folder of path exists, ERROR_PATH_NOT_FOUND when it does not.
DWORD NotFoundError(const std::string& path);
// Copies text into a caller's buffer the way GetSystemDirectoryW and its kin do: the length without the
// terminator when it fits, otherwise the size needed including the terminator.
DWORD CopyOutString(const std::wstring& text, LPWSTR buffer, DWORD size);

} // namespace win32core
