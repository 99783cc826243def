#include "qvclient/Database.h"
#include "qvclient/Errors.h"

namespace qvclient {

std::wstring DescribeDatabaseStatus(HRESULT hr)
{
    switch (hr) {
    case QV_E_SERVERUNREACHABLE: return L"the database server cannot be reached";
    case QV_E_LOGONREFUSED: return L"the database server refused the user name or password";
    case QV_E_NOSCHEMA: return L"the PLM database has no schema (a table of the PLM schema is missing)";
    case QV_E_CONNECTIONLOST: return L"the connection to the database server was lost";
    case QV_E_WRITABLEROLE:
        return L"the database role may write the PLM tables or is a superuser; the client needs a role that may "
               L"only read";
    case QV_E_TIMEOUT: return L"the database server did not finish a statement in time";
    case E_ACCESSDENIED: return L"the database refused access";
    case QV_E_DATABASE: return L"the database refused a statement";
    default:
        if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
            return L"the database file cannot be opened";
        return {};
    }
}

} // namespace qvclient
