#include "CodePage936.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace win32core {

namespace {

// One converter per thread and direction: iconv_open is slow and a converter is not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of [in, in + inLeft); at a unit it cannot convert, calls onBad(out, unit) and
    // skips `badUnit` bytes.
    template <class Out, class OnBad>
    void Run(const char* in, size_t inLeft, size_t badUnit, Out& out, OnBad onBad)
    {
        char* input = const_cast<char*>(in);
        while (inLeft > 0) {
            char buffer[1024];
            char* output = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(m_cd, &input, &inLeft, &output, &outLeft);
            const int err = errno;
            Append(out, buffer, sizeof buffer - outLeft);
            if (result != static_cast<size_t>(-1) || err == E2BIG)
                continue;
            onBad(out, input);
            const size_t skip = badUnit < inLeft ? badUnit : inLeft;
            input += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    static void Append(std::wstring& out, const char* bytes, size_t count)
    {
        out.append(reinterpret_cast<const wchar_t*>(bytes), count / sizeof(wchar_t));
    }
    static void Append(std::string& out, const char* bytes, size_t count) { out.append(bytes, count); }

    iconv_t m_cd;
};

} // namespace

std::wstring DecodeCodePage936(const char* text, size_t length, bool* valid)
{
    thread_local Converter converter("WCHAR_T", "CP936");
    std::wstring wide;
    wide.reserve(length);
    if (valid)
        *valid = true;
    converter.Run(text, length, 1, wide, [valid](std::wstring& out, const char*) {
        out.push_back(L'?');
        if (valid)
            *valid = false;
    });
    return wide;
}

std::string EncodeCodePage936(const wchar_t* text, size_t length, const std::string& defaultChar, bool* usedDefault)
{
    thread_local Converter converter("CP936", "WCHAR_T");
    std::string narrow;
    narrow.reserve(length * 2);
    if (usedDefault)
        *usedDefault = false;
    converter.Run(reinterpret_cast<const char*>(text), length * sizeof(wchar_t), sizeof(wchar_t), narrow,
        [&defaultChar, usedDefault](std::string& out, const char* unit) {
            wchar_t ch;
            std::memcpy(&ch, unit, sizeof ch);
            // Windows converts UTF-16 units: a character above U+FFFF is two, each unmapped.
            out += static_cast<unsigned long>(ch) > 0xFFFF ? defaultChar + defaultChar : defaultChar;
            if (usedDefault)
                *usedDefault = true;
        });
    return narrow;
}

} // namespace win32core
