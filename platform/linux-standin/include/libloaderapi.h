// Resources of a module: FindResource, LoadResource, LockResource, SizeofResource and LoadString.
// A module's resources are compiled from its .rc script (platform/linux-standin/tools/rc) and linked into it.
#pragma once

#include "windef.h"
#include "winnt.h"

extern "C" {

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

// user32's, kept beside the functions it is built on.
int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

} // extern "C"

#define FindResource FindResourceW
#define FindResourceEx FindResourceExW
#define LoadString LoadStringW
