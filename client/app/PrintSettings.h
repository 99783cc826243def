// The client's print settings, as the print plug-in reads them: the process environment.
#pragma once

#include <string>

namespace plmclient {

// Print jobs become one PDF book at this path (UTF-8) instead of going to a printer.
void UsePrintBook(const std::string& path);

} // namespace plmclient
