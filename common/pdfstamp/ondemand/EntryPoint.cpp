// libpdfstamp.so opened on the first call.
#include "EntryPoint.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace pdfstamp::ondemand {
namespace {

struct Library {
    void* handle = nullptr;
    std::string error;
};

const Library& Loaded()
{
    static Library library;
    static std::once_flag once;
    std::call_once(once, [] {
        // Our own folder first, as the loader looks beside the program for a delay-loaded DLL: a
        // bare name would be searched through the caller's run path, which is not ours when an
        // interceptor (the sanitizers') makes the call.
        Dl_info self{};
        std::string path = "libpdfstamp.so";
        if (dladdr(reinterpret_cast<void*>(&Loaded), &self) != 0 && self.dli_fname != nullptr) {
            const std::string object = self.dli_fname;
            const std::string::size_type slash = object.rfind('/');
            if (slash != std::string::npos)
                path = object.substr(0, slash + 1) + path;
        }
        library.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library.handle == nullptr && path != "libpdfstamp.so")
            library.handle = dlopen("libpdfstamp.so", RTLD_NOW | RTLD_LOCAL);
        const char* reason = library.handle == nullptr ? dlerror() : nullptr;
        if (library.handle == nullptr)
            library.error = reason != nullptr ? reason : "libpdfstamp.so cannot be opened";
    });
    return library;
}

} // namespace

void* FindEntryPoint(const char* name, std::string& error)
{
    const Library& library = Loaded();
    void* address = library.handle != nullptr ? dlsym(library.handle, name) : nullptr;
    if (address == nullptr)
        error = library.handle != nullptr ? std::string("libpdfstamp.so has no ") + name : library.error;
    return address;
}

} // namespace pdfstamp::ondemand
