#include <windows.h>

#include <winenv/Trace.h>

#include "../PrintSettings.h"

namespace plmclient {

void UsePrintBook(const std::string& path)
{
    SetEnvironmentVariableW(L"PLM_PRINT_BOOK", winenv::FromUtf8(path).c_str());
}

} // namespace plmclient
