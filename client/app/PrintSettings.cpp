#include "PrintSettings.h"

#include <cstdlib>

namespace plmclient {

void UsePrintBook(const std::string& path)
{
    ::setenv("PLM_PRINT_BOOK", path.c_str(), 1);
}

} // namespace plmclient
