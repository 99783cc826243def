// The wide format functions with the Windows meaning of each conversion.
#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

#include <windows.h>

namespace {

std::wstring Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    wchar_t buffer[256];
    const int n = _vsnwprintf_s(buffer, 256, _TRUNCATE, format, args);
    va_end(args);
    return n < 0 ? L"<failed>" : std::wstring(buffer);
}

// Into a six-character buffer, as the framework formats into its guess.
int FormatSmall(wchar_t (&small)[6], size_t count, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = _vsnwprintf_s(small, 6, count, format, args);
    va_end(args);
    return n;
}

// %s is a wide string and %S a narrow one; %X is upper-case hex without leading zeros; integers
// take the Windows argument sizes (%ld is a 32-bit LONG); %p is upper-case hex without a prefix.
TEST(WideFormat, EachConversionHasItsWindowsMeaning)
{
    EXPECT_EQ(Format(L"%s\\%s", L"D:\\out", L"A-01.pdf"), L"D:\\out\\A-01.pdf");
    EXPECT_EQ(Format(L"[%S|%hs|%ls|%ws]", "narrow", "h", L"l", L"w"), L"[narrow|h|l|w]");
    EXPECT_EQ(Format(L"%S", "\xE8\xBD\xBB"), L"轻"); // UTF-8 is the ANSI code page
    EXPECT_EQ(Format(L"%c%C%hc", L'文', 'a', 'b'), L"文ab");
    EXPECT_EQ(Format(L"文件(%s)获取失败(%0X)!", L"a.pdf", static_cast<HRESULT>(E_FAIL)), L"文件(a.pdf)获取失败(80004005)!");
    EXPECT_EQ(Format(L"%0X", 0x1Au), L"1A");
    EXPECT_EQ(Format(L"%08X|%x|%#x", 0xBEEFu, 255u, 255u), L"0000BEEF|ff|0xff");
    EXPECT_EQ(Format(L"%d %i %u %d %d", -5, 7, 4000000000u, INT_MIN, 0), L"-5 7 4000000000 -2147483648 0");
    EXPECT_EQ(Format(L"%ld|%s", static_cast<LONG>(-2), L"next"), L"-2|next");
    EXPECT_EQ(Format(L"%I64d|%lld|%I64u", -9000000000LL, 9000000000LL, 18000000000ULL),
        L"-9000000000|9000000000|18000000000");
    EXPECT_EQ(Format(L"%hd", 70000), L"4464"); // truncated to short
    EXPECT_EQ(Format(L"[%5d][%-5d][%05d][%+d]", 42, 42, 42, 42), L"[   42][42   ][00042][+42]");
    EXPECT_EQ(Format(L"[%*d][%.*s]", 4, 7, 2, L"abcdef"), L"[   7][ab]");
    EXPECT_EQ(Format(L"[%6s][%-6s]", L"ab", L"ab"), L"[    ab][ab    ]");
    EXPECT_EQ(Format(L"%f|%.2f|%g|%e", 1.5, 2.345, 0.0001, 1250.0), L"1.500000|2.35|0.0001|1.250000e+03");
    EXPECT_EQ(Format(L"100%%"), L"100%");
    EXPECT_EQ(Format(L"%p", reinterpret_cast<void*>(0xABC)), std::wstring(sizeof(void*) * 2 - 3, L'0') + L"ABC");
    EXPECT_EQ(Format(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
}

TEST(WideFormat, CountsAndBufferLimits)
{
    wchar_t small[6];
    EXPECT_EQ(FormatSmall(small, _TRUNCATE, L"%s", L"abcdefgh"), -1);
    EXPECT_STREQ(small, L"abcde");
    EXPECT_EQ(FormatSmall(small, 3, L"%s", L"abcdefgh"), -1);
    EXPECT_STREQ(small, L"abc");
    EXPECT_EQ(FormatSmall(small, _TRUNCATE, L"%d", 12), 2);
    EXPECT_STREQ(small, L"12");

    EXPECT_EQ(swprintf_s(small, L"%s", L"toolong"), -1);
    EXPECT_STREQ(small, L"");
    EXPECT_EQ(swprintf_s(small, L"%s.ini", L"a"), 5);
    EXPECT_STREQ(small, L"a.ini");
    int written = 0;
    EXPECT_EQ(swprintf_s(small, L"ab%n", &written), -1) << "%n is refused";
    EXPECT_EQ(written, 0);
}

TEST(WideFormat, WidthsBeyondAnIntAreAnInvalidFormatAndIntMinPadsNothing)
{
    const struct {
        const wchar_t* format;
        int star;
        const wchar_t* expected;
    } cases[] = {
        {L"[%2147483647.2147483647d]", 0, L"<failed>"},      // fits an int, but no count can say its length
        {L"[%2147483648d]", 0, L"<failed>"},                  // one beyond INT_MAX
        {L"[%99999999999999999999d]", 0, L"<failed>"},        // twenty digits
        {L"[%.4294967296d]", 0, L"<failed>"},                 // a precision that wraps to 0 in 32 bits
        {L"[%4294967301d]", 0, L"<failed>"},                  // a width that wraps to 5
        {L"[%*d]", INT_MIN, L"[7]"},                          // left-justified, no padding
        {L"[%*d]", -3, L"[7  ]"},
        {L"[%*d]", 3, L"[  7]"},
        {L"[%0000000000003d]", 0, L"[007]"},                  // leading zeros are flags, not digits of the width
    };
    for (const auto& c : cases) {
        const std::wstring got = std::wcschr(c.format, L'*') ? Format(c.format, c.star, 7) : Format(c.format, 7);
        EXPECT_EQ(got, c.expected) << "format " << ::testing::PrintToString(std::wstring(c.format));
    }
}

} // namespace
