// Each conversion is parsed with its Windows meaning, its argument fetched with the Windows size,
// and then printed by glibc with an equivalent conversion (%ls for a wide string, %lld for 64 bits).
#include "WideFormat.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

#include <utf/Utf.h>

namespace win32core {

namespace {

enum class Size { Default, Short, Char, Long32, Long64, Pointer, LongDouble, Wide };

struct Spec {
    std::wstring flags;
    int width = -1;
    int precision = -1;
    Size size = Size::Default;
    wchar_t conversion = 0;
};

// Prints one value with glibc: spec text without size, plus the glibc size modifier. False when
// the text would be longer than a count of characters can say (INT_MAX).
template <class T>
bool Append(std::wstring& out, const Spec& spec, const wchar_t* glibcSize, wchar_t conversion, T value)
{
    std::wstring format = L"%" + spec.flags;
    if (spec.width >= 0)
        format += std::to_wstring(spec.width);
    if (spec.precision >= 0)
        format += L"." + std::to_wstring(spec.precision);
    format += glibcSize;
    format.push_back(conversion);
    const size_t reserve = 64 + static_cast<size_t>(spec.width > 0 ? spec.width : 0) + static_cast<size_t>(spec.precision > 0 ? spec.precision : 0);
    if (reserve > static_cast<size_t>(INT_MAX))
        return false;
    std::vector<wchar_t> buffer(reserve);
    for (;;) {
        const int n = std::swprintf(buffer.data(), buffer.size(), format.c_str(), value);
        if (n >= 0) {
            out.append(buffer.data(), static_cast<size_t>(n));
            return true;
        }
        if (buffer.size() > static_cast<size_t>(INT_MAX) / 4)
            return false;
        buffer.resize(buffer.size() * 4); // a very long floating-point number
    }
}

void AppendText(std::wstring& out, const Spec& spec, std::wstring text)
{
    if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision))
        text.resize(static_cast<size_t>(spec.precision));
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    const size_t padding = width > text.size() ? width - text.size() : 0;
    const bool left = spec.flags.find(L'-') != std::wstring::npos;
    if (!left)
        out.append(padding, spec.flags.find(L'0') != std::wstring::npos ? L'0' : L' ');
    out += text;
    if (left)
        out.append(padding, L' ');
}

void AppendDecimal(std::wstring& out, int value)
{
    wchar_t digits[12];
    wchar_t* end = digits + 12;
    wchar_t* p = end;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = L'-';
    out.append(p, static_cast<size_t>(end - p));
}

// A width or precision written as digits; one beyond INT_MAX makes the format invalid, as the
// Windows runtime treats it.
bool ReadCount(const wchar_t*& p, int& count)
{
    while (*p >= L'0' && *p <= L'9') {
        const int digit = *p++ - L'0';
        const int sofar = count < 0 ? 0 : count;
        if (sofar > (INT_MAX - digit) / 10)
            return false;
        count = sofar * 10 + digit;
    }
    return true;
}

} // namespace

bool FormatWide(const wchar_t* format, va_list args, std::wstring& out)
{
    out.clear();
    if (!format)
        return false;
    out.reserve(std::wcslen(format) + 64);
    va_list ap;
    va_copy(ap, args);
    bool ok = true;
    for (const wchar_t* p = format; *p && ok; ++p) {
        if (*p != L'%') {
            const wchar_t* next = std::wcschr(p, L'%');
            const size_t run = next ? static_cast<size_t>(next - p) : std::wcslen(p);
            out.append(p, run);
            p += run - 1;
            continue;
        }
        ++p;
        if (*p == L'%') {
            out.push_back(L'%');
            continue;
        }
        Spec spec;
        while (*p && std::wcschr(L"-+ #0", *p))
            spec.flags.push_back(*p++);
        if (*p == L'*') {
            spec.width = va_arg(ap, int);
            if (spec.width < 0) {
                // A negative width left-justifies; INT_MIN has no positive counterpart and, as
                // in the Windows runtime, pads nothing.
                spec.flags.push_back(L'-');
                spec.width = spec.width == INT_MIN ? 0 : -spec.width;
            }
            ++p;
        } else if (!ReadCount(p, spec.width)) {
            ok = false;
            break;
        }
        if (*p == L'.') {
            ++p;
            spec.precision = 0;
            if (*p == L'*') {
                spec.precision = va_arg(ap, int);
                ++p;
            } else if (!ReadCount(p, spec.precision)) {
                ok = false;
                break;
            }
        }
        // Size prefixes as the Windows runtime reads them: l is 32 bits, I64/ll 64, I pointer-sized.
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4')
            spec.size = Size::Long64, p += 3;
        else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2')
            spec.size = Size::Long32, p += 3;
        else if (p[0] == L'l' && p[1] == L'l')
            spec.size = Size::Long64, p += 2;
        else if (p[0] == L'h' && p[1] == L'h')
            spec.size = Size::Char, p += 2;
        else if (*p == L'I' || *p == L'z' || *p == L't' || *p == L'j')
            spec.size = *p == L'j' ? Size::Long64 : Size::Pointer, ++p;
        else if (*p == L'l')
            spec.size = Size::Long32, ++p;
        else if (*p == L'w')
            spec.size = Size::Wide, ++p;
        else if (*p == L'h')
            spec.size = Size::Short, ++p;
        else if (*p == L'L')
            spec.size = Size::LongDouble, ++p;
        spec.conversion = *p;
        // The module's SQL texts are built from plain %d and %s: printed here without a
        // round trip through swprintf.
        const bool plain = spec.flags.empty() && spec.width < 0 && spec.precision < 0;
        if (plain && (spec.conversion == L'd' || spec.conversion == L'i') &&
            (spec.size == Size::Default || spec.size == Size::Long32)) {
            AppendDecimal(out, va_arg(ap, int));
            continue;
        }
        if (plain && spec.conversion == L's' && (spec.size == Size::Default || spec.size == Size::Long32 || spec.size == Size::Wide)) {
            const wchar_t* s = va_arg(ap, const wchar_t*);
            out.append(s ? s : L"(null)");
            continue;
        }
        switch (spec.conversion) {
        case L'd':
        case L'i': {
            long long value;
            switch (spec.size) {
            case Size::Long64: value = va_arg(ap, long long); break;
            case Size::Pointer: value = va_arg(ap, std::intptr_t); break;
            case Size::Short: value = static_cast<short>(va_arg(ap, int)); break;
            case Size::Char: value = static_cast<signed char>(va_arg(ap, int)); break;
            default: value = va_arg(ap, int); break;
            }
            ok = Append(out, spec, L"ll", L'd', value);
            break;
        }
        case L'u':
        case L'o':
        case L'x':
        case L'X': {
            unsigned long long value;
            switch (spec.size) {
            case Size::Long64: value = va_arg(ap, unsigned long long); break;
            case Size::Pointer: value = va_arg(ap, std::uintptr_t); break;
            case Size::Short: value = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
            case Size::Char: value = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
            default: value = va_arg(ap, unsigned); break;
            }
            ok = Append(out, spec, L"ll", spec.conversion, value);
            break;
        }
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            if (spec.size == Size::LongDouble)
                ok = Append(out, spec, L"L", spec.conversion, va_arg(ap, long double));
            else
                ok = Append(out, spec, L"", spec.conversion, va_arg(ap, double));
            break;
        case L'p': {
            // Upper-case digits, as many as a pointer has, no "0x".
            Spec pointer = spec;
            pointer.flags = L"0";
            pointer.width = static_cast<int>(sizeof(void*) * 2);
            pointer.precision = -1;
            std::wstring digits;
            Append(digits, pointer, L"ll", L'X', static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(va_arg(ap, void*))));
            Spec padding = spec;
            padding.precision = -1;
            AppendText(out, padding, digits);
            break;
        }
        case L'c':
        case L'C': {
            const bool narrow = spec.size == Size::Short || (spec.conversion == L'C' && spec.size != Size::Long32 && spec.size != Size::Wide);
            const int value = va_arg(ap, int);
            const wchar_t c = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
            Spec text = spec;
            text.precision = -1;
            AppendText(out, text, std::wstring(1, c));
            break;
        }
        case L's':
        case L'S': {
            const bool narrow = spec.size == Size::Short || (spec.conversion == L'S' && spec.size != Size::Long32 && spec.size != Size::Wide);
            std::wstring text;
            if (narrow) {
                const char* s = va_arg(ap, const char*);
                if (s)
                    utf::DecodeUtf8(s, text);
                else
                    text = L"(null)";
            } else {
                const wchar_t* s = va_arg(ap, const wchar_t*);
                text = s ? s : L"(null)";
            }
            AppendText(out, spec, text);
            break;
        }
        default: // %n, an unknown conversion or a format cut short
            ok = false;
            break;
        }
        if (!*p)
            break;
    }
    va_end(ap);
    return ok;
}

} // namespace win32core
