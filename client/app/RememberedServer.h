// The server that --server names, written into the client folder's plm.server for the run and
// kept only once a connection to it was made: a run that never reached it leaves the folder as
// it found it (no string, no password, or the server named before).
#pragma once

#include <string>

#include <windows.h>

namespace plmclient {

class RememberedServer {
public:
    RememberedServer() = default;
    ~RememberedServer();
    RememberedServer(const RememberedServer&) = delete;
    RememberedServer& operator=(const RememberedServer&) = delete;

    // Names the server in the folder's plm.server (only the user may read it).
    HRESULT Write(const std::wstring& folder, const std::string& conninfo);
    // A connection was made: the folder keeps the string from now on. Says so once, and where.
    void Keep();

private:
    std::wstring m_folder; // empty: nothing written
    std::string m_before;  // the string the folder named before
    bool m_hadBefore = false;
};

} // namespace plmclient
