// Fetching an object's stored file through the opened client's COM object, as the module does.
#pragma once

#include <string>

#include <windows.h>

namespace viztest {

HRESULT DownloadObjectFile(const wchar_t* className, LONG id, const std::wstring& windowsPath);

} // namespace viztest
