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
// A stream over a copy of cbInit bytes of pInit (none when NULL), readable, writable and
// seekable; NULL when out of memory.
IStream* WINAPI SHCreateMemStream(const BYTE* pInit, UINT cbInit);
}

#define PathFindExtension PathFindExtensionW
#define PathFindFileName PathFindFileNameW
#define PathFileExists PathFileExistsW
#define PathIsDirectory PathIsDirectoryW
