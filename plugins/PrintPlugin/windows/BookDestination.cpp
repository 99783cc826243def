// Windows: the drawing libraries have no mingw-w64 build, so a configured book fails the job
// with the reason and writes nothing.
#include <windows.h>

#include <winenv/Trace.h>

#include "../BookDestination.h"

namespace printplugin {

std::string ConfiguredBookPath()
{
    wchar_t szValue[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(L"PLM_PRINT_BOOK", szValue, MAX_PATH);
    return cch > 0 && cch < MAX_PATH ? winenv::ToUtf8(std::wstring(szValue, cch)) : std::string();
}

PrintJobResult PrintAsBook(const std::vector<std::string>&, const std::string& bookPath)
{
    PrintJobResult job;
    job.destination = "book:" + bookPath;
    job.detail = "this build cannot draw the book's contents page";
    return job;
}

} // namespace printplugin
