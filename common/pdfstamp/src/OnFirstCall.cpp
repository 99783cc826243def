#include "OnFirstCall.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace pdfstamp {

void* FunctionOnFirstCall(const char* library, const char* function)
{
    // Opening a library already open finds it again; its symbols stay out of the global scope.
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    void* address = handle ? dlsym(handle, function) : nullptr;
    if (!address) {
        const char* why = dlerror();
        std::fprintf(stderr, "pdfstamp: %s from %s: %s\n", function, library, why ? why : "not found");
        std::abort();
    }
    return address;
}

} // namespace pdfstamp
