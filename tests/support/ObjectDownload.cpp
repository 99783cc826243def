#include "ObjectDownload.h"

#include <comdef.h>

#include <qvclient/Client.h>

namespace viztest {

HRESULT DownloadObjectFile(const wchar_t* className, LONG id, const std::wstring& windowsPath)
{
    IQvOtlObject* pObject = nullptr;
    HRESULT hr = qvclient::OpenObject(className, id, &pObject);
    if (FAILED(hr))
        return hr;
    IObjectFileContent* pContent = nullptr;
    hr = pObject->QueryInterface(__uuidof(IObjectFileContent), reinterpret_cast<void**>(&pContent));
    pObject->Release();
    if (SUCCEEDED(hr)) {
        hr = pContent->DownloadToFile(_bstr_t(windowsPath.c_str()));
        pContent->Release();
    }
    return hr;
}

} // namespace viztest
