#include "delayload/DelayLoad.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace qvclient::delayload {

void* Resolve(const char* library, const char* name)
{
    // A library already open is found again by its name, without a second mapping.
    void* const handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    void* const address = handle != nullptr ? dlsym(handle, name) : nullptr;
    if (address == nullptr) {
        const char* reason = dlerror();
        std::fprintf(stderr, "%s: cannot load %s: %s\n", library, name, reason != nullptr ? reason : "no reason given");
        std::abort();
    }
    return address;
}

} // namespace qvclient::delayload
