// Stubs that stand for a library's functions and open it on the first call, as a delay-loaded
// DLL is opened: the client links the stubs instead of the library, so a process that never calls
// it never maps it, nor binds its symbols at start. Each stub finds its function once and then
// only forwards. Like a delay-load failure on Windows, a library that cannot be loaded ends the
// process, with the loader's reason.
#pragma once

namespace qvclient::delayload {

// The function's address in the library (opened on the first call); ends the process when the
// library or the function is missing.
void* Resolve(const char* library, const char* name);

} // namespace qvclient::delayload

#define VIZ_DELAY_LOAD(library, result, name, params, args)                                                \
    extern "C" result name params                                                                          \
    {                                                                                                      \
        static const auto pfn = reinterpret_cast<decltype(&::name)>(qvclient::delayload::Resolve(library, #name)); \
        return pfn args;                                                                                   \
    }
