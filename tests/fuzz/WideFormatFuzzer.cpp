// The wide formatting functions on any format: the counting, the sized and the truncating forms
// agree on one text, cut it where their buffer ends, and a format without conversions is its own
// text.
//
// Input: the text of the string arguments on the first line, then the format (UTF-8).
#include <windows.h>

#include <winenv/Trace.h>

#include <sys/mman.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, const wchar_t* format)
{
    std::fprintf(stderr, "wide format: %s for \"%s\"\n", what, winenv::ToUtf8(format).c_str());
    std::abort();
}

// Every integer argument is the address of one text that reads as a wide and as a narrow string.
// It lies at a low fixed address, so that read as a width or a precision ('*') it stays small.
wchar_t* ArgumentText()
{
    static wchar_t* pText = [] {
        const size_t cb = 64 * 1024;
        for (uintptr_t address = 0x10000; address < 0x1000000; address += cb) {
            void* p = mmap(reinterpret_cast<void*>(address), cb, PROT_READ | PROT_WRITE,
                MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
            if (p == reinterpret_cast<void*>(address))
                return static_cast<wchar_t*>(p);
            if (p != MAP_FAILED)
                munmap(p, cb);
        }
        std::abort();
    }();
    return pText;
}

void CheckForms(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list ap;
    va_copy(ap, args);
    const int nCount = _vscwprintf(format, ap);
    va_end(ap);
    std::vector<wchar_t> full(static_cast<size_t>(nCount < 0 ? 0 : nCount) + 1);
    va_copy(ap, args);
    const int nFull = vswprintf_s(full.data(), full.size(), format, ap);
    va_end(ap);
    if (nCount != nFull)
        Fail("counted and written lengths differ", format);
    wchar_t szSmall[4] = {L'x', L'x', L'x', L'x'};
    if (nCount < 0) {
        // A format the runtime rejects leaves every form's buffer empty.
        va_copy(ap, args);
        const int nTruncated = _vsnwprintf_s(szSmall, 4, _TRUNCATE, format, ap);
        va_end(ap);
        if (nTruncated != -1 || szSmall[0] != L'\0')
            Fail("a rejected format is not refused", format);
        va_end(args);
        return;
    }
    const std::wstring text(full.data(), static_cast<size_t>(nFull));
    if (text.find(L'\0') == std::wstring::npos && std::wcslen(full.data()) != text.size())
        Fail("the text is not terminated where its length says", format);

    const size_t length = text.size();
    // A count of the buffer's size or more: all or nothing.
    va_copy(ap, args);
    const int nWhole = _vsnwprintf_s(szSmall, 4, 4, format, ap);
    va_end(ap);
    if (length < 4 ? nWhole != static_cast<int>(length) || std::wmemcmp(szSmall, text.c_str(), length + 1) != 0
                   : nWhole != -1 || szSmall[0] != L'\0')
        Fail("a count as large as the buffer does not write all or nothing", format);

    std::vector<wchar_t> buffer(length + 2);
    for (size_t size : {size_t(1), length / 2 + 1, length, length + 1, length + 2}) {
        if (size == 0)
            continue;
        const size_t fits = size - 1;
        va_copy(ap, args);
        const int nTruncated = _vsnwprintf_s(buffer.data(), size, _TRUNCATE, format, ap);
        va_end(ap);
        if (length <= fits ? nTruncated != static_cast<int>(length) : nTruncated != -1)
            Fail("_TRUNCATE returns the wrong count", format);
        if (std::wmemcmp(buffer.data(), text.data(), length < fits ? length : fits) != 0
            || buffer[length < fits ? length : fits] != L'\0')
            Fail("_TRUNCATE does not keep the start of the text", format);

        va_copy(ap, args);
        const int nSized = vswprintf_s(buffer.data(), size, format, ap);
        va_end(ap);
        if (length <= fits ? nSized != static_cast<int>(length) || std::wmemcmp(buffer.data(), text.data(), length) != 0
                           : nSized != -1 || buffer[0] != L'\0')
            Fail("vswprintf_s does not write all or nothing", format);

        const size_t count = fits / 2;
        if (count == 0)
            continue;
        va_copy(ap, args);
        const int nCounted = _vsnwprintf_s(buffer.data(), size, count, format, ap);
        va_end(ap);
        if ((length <= count ? nCounted != static_cast<int>(length) : nCounted != -1)
            || std::wmemcmp(buffer.data(), text.data(), length < count ? length : count) != 0
            || buffer[length < count ? length : count] != L'\0')
            Fail("a count below the buffer does not cut the text there", format);
    }
    va_end(args);
}

// The text of a format that has no conversion: "%%" stands for '%'; empty when it has any.
bool PlainText(const std::wstring& format, std::wstring& text)
{
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            text += format[i];
        } else if (i + 1 < format.size() && format[i + 1] == L'%') {
            text += L'%';
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    if (newline == std::string::npos)
        return -1;
    std::wstring format = winenv::FromUtf8(input.substr(newline + 1));
    format = format.substr(0, format.find(L'\0'));
    size_t nPercent = 0, nDigits = 0;
    for (wchar_t c : format) {
        nPercent += c == L'%';
        nDigits = c >= L'0' && c <= L'9' ? nDigits + 1 : 0;
        // Each conversion takes up to three arguments, and there are enough for 14 of them.
        // From 6 digits on, a width only costs memory and time: the engine builds the whole text.
        // Widths beyond INT_MAX, which the formatter refuses, have their own unit test.
        if (nPercent > 14 || nDigits > 5)
            return -1;
    }

    const std::wstring argument = winenv::FromUtf8(input.substr(0, newline)).substr(0, 1000);
    wchar_t* pText = ArgumentText();
    std::wmemcpy(pText, argument.c_str(), argument.size() + 1);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const wchar_t* p = pText;
    // Eight doubles fill the floating-point registers; an integer or string conversion beyond the
    // registers reads the addresses that follow, so does a floating-point one beyond the eight.
    CheckForms(format.c_str(), 0.0, -0.0, 1.5, -123.456, 1e308, 5e-324, inf, nan,
        p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p,
        p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p, p);

    std::wstring plain;
    if (PlainText(format, plain)) {
        wchar_t szBuffer[8192];
        if (swprintf_s(szBuffer, 8192, format.c_str()) != static_cast<int>(plain.size()) || plain != szBuffer)
            Fail("a format without conversions is not its own text", format.c_str());
    }
    return 0;
}
