// The breakpoint exception: with no debugger attached, it ends the process.
#include <csignal>

#include <winbase.h>

extern "C" void WINAPI DebugBreak()
{
    std::raise(SIGTRAP);
}
