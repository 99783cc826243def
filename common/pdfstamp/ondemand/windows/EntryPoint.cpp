// pdfstamp.dll from the program's folder on the first call, as a delay-loaded DLL is found.
#include <windows.h>

#include <mutex>

#include "../EntryPoint.h"

namespace pdfstamp::ondemand {
namespace {

struct Library {
    HMODULE handle = nullptr;
    std::string error;
};

const Library& Loaded()
{
    static Library library;
    static std::once_flag once;
    std::call_once(once, [] {
        // Its own imports are searched with the same flags: the system's DLLs (shell32, ole32) are
        // found in the system folder, whether or not the process has loaded them yet.
        library.handle = LoadLibraryExW(L"pdfstamp.dll", nullptr,
            LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (library.handle == nullptr)
            library.error = "pdfstamp.dll cannot be loaded (error " + std::to_string(GetLastError()) + ")";
    });
    return library;
}

} // namespace

void* FindEntryPoint(const char* name, std::string& error)
{
    const Library& library = Loaded();
    const FARPROC address = library.handle != nullptr ? GetProcAddress(library.handle, name) : nullptr;
    if (address == nullptr)
        error = library.handle != nullptr ? std::string("pdfstamp.dll has no ") + name : library.error;
    return reinterpret_cast<void*>(address);
}

} // namespace pdfstamp::ondemand
