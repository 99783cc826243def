#include "RememberedServer.h"

#include <cstdio>

#include <qvclient/Client.h>
#include <winenv/Trace.h>

namespace plmclient {

RememberedServer::~RememberedServer()
{
    if (m_folder.empty())
        return;
    if (m_hadBefore)
        qvclient::WriteFolderServer(m_folder, m_before);
    else
        qvclient::ForgetFolderServer(m_folder);
}

HRESULT RememberedServer::Write(const std::wstring& folder, const std::string& conninfo)
{
    m_hadBefore = qvclient::ReadFolderServer(folder, m_before) == S_OK;
    const HRESULT hr = qvclient::WriteFolderServer(folder, conninfo);
    if (SUCCEEDED(hr))
        m_folder = folder;
    return hr;
}

void RememberedServer::Keep()
{
    if (m_folder.empty())
        return;
    std::fprintf(stderr, "plmclient: the server's connection string (with any password in it) is kept in %s/%s, "
                         "readable only by you\n",
        winenv::ToUtf8(m_folder).c_str(), winenv::ToUtf8(qvclient::FolderLayout::kServerFile).c_str());
    m_folder.clear();
}

} // namespace plmclient
