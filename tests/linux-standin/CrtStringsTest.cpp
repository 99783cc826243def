// The C runtime's string functions where Windows and glibc differ.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace {

std::vector<std::wstring> Split(std::wstring text, const wchar_t* delimiters)
{
    std::vector<std::wstring> fields;
    for (wchar_t* token = wcstok(&text[0], delimiters); token; token = wcstok(nullptr, delimiters))
        fields.push_back(token);
    return fields;
}

TEST(Wcstok, TwoArgumentFormSkipsEmptyFieldsAndKeepsItsPositionPerThread)
{
    EXPECT_EQ(Split(L"100,200,50,20", L","), (std::vector<std::wstring>{L"100", L"200", L"50", L"20"}));
    EXPECT_EQ(Split(L"10,,20", L","), (std::vector<std::wstring>{L"10", L"20"}));
    EXPECT_EQ(Split(L",a,", L","), (std::vector<std::wstring>{L"a"}));
    EXPECT_TRUE(Split(L",,,", L",").empty());
    EXPECT_EQ(Split(L"a;b,c", L",;"), (std::vector<std::wstring>{L"a", L"b", L"c"}));

    std::wstring mine = L"1,2,3";
    ASSERT_STREQ(wcstok(&mine[0], L","), L"1");
    std::vector<std::wstring> theirs;
    std::thread other([&] { theirs = Split(L"x;y", L";"); });
    other.join();
    EXPECT_EQ(theirs, (std::vector<std::wstring>{L"x", L"y"}));
    EXPECT_STREQ(wcstok(nullptr, L","), L"2"); // this thread's position survived
    EXPECT_STREQ(wcstok(nullptr, L","), L"3");
    EXPECT_EQ(wcstok(nullptr, L","), nullptr);
}

TEST(IntegerText, ReadsDigitsUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(_wtoi(L"12abc"), 12);
    EXPECT_EQ(_wtoi(L"abc"), 0);
    EXPECT_EQ(_wtoi(L" -5"), -5);
    EXPECT_EQ(_wtoi(L"\t+7 8"), 7);
    EXPECT_EQ(_wtoi(L""), 0);
    EXPECT_EQ(_wtoi(L"99999999999"), INT_MAX);
    EXPECT_EQ(_wtoi(L"-99999999999"), INT_MIN);
}

TEST(CaseInsensitive, ComparesAsciiLettersWithoutCase)
{
    EXPECT_EQ(_wcsicmp(L"Sign1.PDF", L"sign1.pdf"), 0);
    EXPECT_NE(_wcsicmp(L"ÄRGER", L"ärger"), 0) << "the starting locale folds only A-Z, on Windows too";
    EXPECT_NE(_wcsicmp(L"МОСКВА", L"москва"), 0);
    EXPECT_LT(_wcsicmp(L"abc", L"ABD"), 0);
    EXPECT_GT(_wcsicmp(L"b", L"A"), 0);
    EXPECT_EQ(_wcsnicmp(L"PDFSIGN", L"pdfX", 3), 0);
    EXPECT_NE(_wcsnicmp(L"PDFSIGN", L"pdfX", 4), 0);
}

TEST(SecureCopies, EmptyTheDestinationOnOverflow)
{
    wchar_t dest[5] = L"old";
    EXPECT_EQ(wcscpy_s(dest, L"abcd"), 0);
    EXPECT_STREQ(dest, L"abcd");
    EXPECT_EQ(wcscpy_s(dest, L"abcde"), ERANGE);
    EXPECT_STREQ(dest, L"");

    EXPECT_EQ(wcsncpy_s(dest, L"abcdefg", 2), 0);
    EXPECT_STREQ(dest, L"ab");
    EXPECT_EQ(wcsncpy_s(dest, L"abcdefg", _TRUNCATE), STRUNCATE);
    EXPECT_STREQ(dest, L"abcd");
    EXPECT_EQ(wcsncpy_s(dest, L"abcdefg", 6), ERANGE);
    EXPECT_STREQ(dest, L"");
}

} // namespace
