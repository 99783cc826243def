// Path helpers of the shell light-weight API, on Windows paths (backslash separators).
#pragma once

#include "objidl.h"
#include "windef.h"

extern "C" {
// The extension with its dot, or the terminating NUL when there is none.
LPWSTR WINAPI PathFindExtensionW(LPCWSTR pszPath);
// The part after the last separator.
LPWSTR WINAPI PathFindFileNameW(LPCWSTR pszPath);
BOOL WINAPI PathFileExistsW(LPCWSTR pszPath);
// FILE_ATTRIBUTE_DIRECTORY (non-zero) for a folder, FALSE otherwise.
BOOL WINAPI PathIsDirectoryW(LPCWSTR pszPath);
// Joins with exactly one backslash; pszPath holds MAX_PATH characters.
BOOL WINAPI PathAppendW(LPWSTR pszPath, LPCWSTR pszMore);
LPWSTR WINAPI PathCombineW(LPWSTR pszDest, LPCWSTR pszDir, LPCWSTR pszFile);
// Removes the last element and its separator ("C:\a\b" -> "C:\a", "C:\a" -> "C:\").
BOOL WINAPI PathRemoveFileSpecW(LPWSTR pszPath);
// Adds a trailing backslash unless there is one; returns the position of the terminator.
LPWSTR WINAPI PathAddBackslashW(LPWSTR pszPath);
// Removes one trailing backslash except from a root ("C:\"); returns the position of the terminator.
LPWSTR WINAPI PathRemoveBackslashW(LPWSTR pszPath);
// A stream over a copy of cbInit bytes of pInit (none when NULL), readable, writable and
// seekable; NULL when out of memory.
IStream* WINAPI SHCreateMemStream(const BYTE* pInit, UINT cbInit);
}

#define PathFindExtension PathFindExtensionW
#define PathFindFileName PathFindFileNameW
#define PathFileExists PathFileExistsW
#define PathIsDirectory PathIsDirectoryW
#define PathAppend PathAppendW
#define PathCombine PathCombineW
#define PathRemoveFileSpec PathRemoveFileSpecW
#define PathAddBackslash PathAddBackslashW
#define PathRemoveBackslash PathRemoveBackslashW
