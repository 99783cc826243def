// main's argv is in the ANSI code page, which cannot hold every name (a folder named outside code
// page 936) and is not the UTF-8 the rest of the program expects: read the wide command line instead.
#include "ProgramArguments.h"

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>

namespace plmclient {

std::vector<std::string> ProgramArguments(int, char**)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        throw std::runtime_error("the command line cannot be read");
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, args[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_UTF8, 0, args[i], -1, &arg[0], size, nullptr, nullptr);
        result.push_back(arg);
    }
    LocalFree(args);
    return result;
}

} // namespace plmclient
