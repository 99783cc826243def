// The secure wide formatting functions on the Windows format engine.
#include <cerrno>
#include <cwchar>

#include <win32crt.h>

#include "WideFormat.h"

namespace {

// The thread's text of the last format, kept: a statement's text, a thousand characters,
// is formatted for every document of a tree, and would take a heap block each time.
std::wstring& FormatText()
{
    thread_local std::wstring text;
    if (text.capacity() > 0x10000)
        std::wstring().swap(text); // an exceptionally long text is not kept
    return text; // FormatWide clears it
}

} // namespace

// count _TRUNCATE: as much as fits, and -1 when that was not all. A count below the buffer
// size: at most count characters, -1 when cut. Otherwise a text that does not fit leaves the
// buffer empty, sets ERANGE and returns -1 (where Windows calls its invalid-parameter handler).
extern "C" int _vsnwprintf_s(wchar_t* buffer, size_t sizeOfBuffer, size_t count, const wchar_t* format, va_list argptr)
{
    if (!buffer || sizeOfBuffer == 0 || !format || count == 0) {
        if (buffer && sizeOfBuffer)
            buffer[0] = 0;
        errno = EINVAL;
        return -1;
    }
    std::wstring& text = FormatText();
    if (!win32core::FormatWide(format, argptr, text)) {
        buffer[0] = 0;
        errno = EINVAL;
        return -1;
    }
    const bool truncating = count == _TRUNCATE || count < sizeOfBuffer;
    const size_t limit = count == _TRUNCATE ? sizeOfBuffer - 1 : (count < sizeOfBuffer ? count : sizeOfBuffer - 1);
    if (text.size() <= limit) {
        std::wmemcpy(buffer, text.c_str(), text.size() + 1);
        return static_cast<int>(text.size());
    }
    if (!truncating) {
        buffer[0] = 0;
        errno = ERANGE;
        return -1;
    }
    std::wmemcpy(buffer, text.data(), limit);
    buffer[limit] = 0;
    return -1;
}

extern "C" int vswprintf_s(wchar_t* buffer, size_t numberOfElements, const wchar_t* format, va_list argptr)
{
    if (!buffer || numberOfElements == 0 || !format) {
        errno = EINVAL;
        return -1;
    }
    std::wstring& text = FormatText();
    if (!win32core::FormatWide(format, argptr, text)) {
        buffer[0] = 0;
        errno = EINVAL;
        return -1;
    }
    if (text.size() >= numberOfElements) {
        buffer[0] = 0;
        errno = ERANGE;
        return -1;
    }
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

extern "C" int swprintf_s(wchar_t* buffer, size_t sizeOfBuffer, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = vswprintf_s(buffer, sizeOfBuffer, format, args);
    va_end(args);
    return n;
}

extern "C" int _vscwprintf(const wchar_t* format, va_list argptr)
{
    std::wstring& text = FormatText();
    if (!win32core::FormatWide(format, argptr, text)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(text.size());
}
