// The Windows client keeps its database in the client folder: PostgreSQL is the Linux build's.
#include "db/ConnectionString.h"
#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {

bool AddConnectionSettings(const std::string&, const std::vector<std::pair<std::string, std::string>>&,
    const std::string&, std::string& result, std::string* pError)
{
    result.clear();
    if (pError)
        *pError = "this build has no PostgreSQL client";
    return false;
}

std::string GetConnectionSetting(const std::string&, const std::string&) { return std::string(); }

HRESULT OpenPostgresDatabase(const std::string&, DbOpenMode, std::unique_ptr<IDatabase>& database, std::wstring* pError)
{
    database.reset();
    if (pError)
        *pError = L"this build has no PostgreSQL client: use a client folder with plm.db";
    return QV_E_SERVERUNREACHABLE;
}

} // namespace qvclient
