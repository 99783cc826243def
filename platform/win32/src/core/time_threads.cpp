// Time, sleeping and thread identity.
#include <cerrno>
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

#include <winbase.h>

extern "C" void WINAPI Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == INFINITE) {
        for (;;)
            ::pause();
    }
    timespec remaining{static_cast<time_t>(dwMilliseconds / 1000), static_cast<long>(dwMilliseconds % 1000) * 1000000L};
    while (::nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

// Milliseconds since the system started.
extern "C" ULONGLONG WINAPI GetTickCount64()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<ULONGLONG>(now.tv_sec) * 1000u + static_cast<ULONGLONG>(now.tv_nsec) / 1000000u;
}

// Wraps around after 49.7 days, as on Windows.
extern "C" DWORD WINAPI GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

extern "C" DWORD WINAPI GetCurrentThreadId() { return static_cast<DWORD>(::syscall(SYS_gettid)); }

extern "C" DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }
