// Functions of a library that the stamping code needs only sometimes (fontconfig when no cached
// answer names the faces, HarfBuzz's subsetter when no cached subset fits), defined here as
// stubs that open the library on their first call: a process that needs neither never maps them,
// nor binds their symbols at load (Debian links them -z now). As with a delay-loaded DLL, a library
// or function that cannot be found ends the process, with the loader's reason.
#pragma once

namespace pdfstamp {

// The function's address in the library, opened on the first call of any of its stubs.
void* FunctionOnFirstCall(const char* library, const char* function);

} // namespace pdfstamp

// One stub: finds its function once, then only forwards to it.
#define PDFSTAMP_ON_FIRST_CALL(library, result, function, params, args)                                    \
    extern "C" result function params                                                                       \
    {                                                                                                       \
        using Address = decltype(&::function);                                                             \
        static const Address address = reinterpret_cast<Address>(pdfstamp::FunctionOnFirstCall(library, #function)); \
        return address args;                                                                                \
    }
