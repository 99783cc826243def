// The one mapping between Windows paths (what the module and the Win32 functions see) and POSIX
// paths (what the file system sees). Every file function of the stand-in goes through it.
//
// Windows -> POSIX (ToPosixPath):
//   - backslash and slash are both separators; runs of separators count as one, so "a\\b" and
//     "a\b" name the same file (a trailing separator is kept as one '/');
//   - a drive "X:" maps to the folder named by the environment variable WIN32_DRIVE_X; without it
//     C: is "/" and any other drive is "/mnt/x" (lower-case letter); "X:name" counts as "X:\name";
//   - a path that is already POSIX (starts with '/') keeps its folders; a relative path stays
//     relative to the current directory;
//   - the text is written to the file system in UTF-8.
// POSIX -> Windows (FromPosixPath): an absolute path becomes a path on the drive whose folder is
// its longest leading part ("/tmp/x" -> "C:\tmp\x" by default), with backslashes; a relative path
// only has its separators turned into backslashes.
// Not a Windows API: never included by the module.
#pragma once

#include <string>

namespace winenv {

std::string ToPosixPath(const wchar_t* windowsPath);
std::string ToPosixPath(const std::wstring& windowsPath);
std::wstring FromPosixPath(const std::string& posixPath);

} // namespace winenv
