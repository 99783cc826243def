#include "TestServer.h"

#include <cstdlib>

namespace pgtest {
namespace {

std::string Environment(const char* pszName)
{
    const char* psz = std::getenv(pszName);
    return psz != nullptr ? psz : "";
}

bool RunServerScript(const char* pszCommand)
{
    const std::string dir = Environment("VIZ_TEST_PG_DIR");
    if (dir.empty())
        return false;
    const std::string command =
        std::string("'") + VIZ_PG_SERVER_SCRIPT + "' " + pszCommand + " '" + dir + "' >/dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace

std::string OwnerConnection()
{
    return Environment("VIZ_TEST_PG");
}

std::string ReaderConnection()
{
    return Environment("VIZ_TEST_PG_READER");
}

bool StopServer()
{
    return RunServerScript("stop");
}

bool StartServer()
{
    return RunServerScript("start");
}

} // namespace pgtest
