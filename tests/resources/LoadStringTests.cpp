// LoadStringW: strings in UTF-16 blocks of 16, handed out as wchar_t.
#include "ResourceTestSupport.h"
#include "fixture_resource.h"

#include <gtest/gtest.h>

#include <string>

using restest::FixtureModule;

namespace {

TEST(StringResource, CopiesTheStringOfTheUsersLanguage)
{
    wchar_t buffer[64];
    int length = LoadStringW(FixtureModule(), IDS_TITLE, buffer, 64);
    EXPECT_EQ(std::wstring(buffer), L"轻量化导出/打印");
    EXPECT_EQ(length, 8);
    ASSERT_EQ(LoadStringW(FixtureModule(), IDS_SECOND, buffer, 64), 6);
    EXPECT_EQ(std::wstring(buffer), L"Second") << "the second string of the same block";
    ASSERT_GT(LoadStringW(FixtureModule(), IDS_ENGLISH_ONLY, buffer, 64), 0);
    EXPECT_EQ(std::wstring(buffer), L"English only");
}

TEST(StringResource, ResolvesEscapesAndDoubledQuotes)
{
    wchar_t buffer[64];
    LoadStringW(FixtureModule(), IDS_ESCAPES, buffer, 64);
    EXPECT_EQ(std::wstring(buffer), L"Tab\there\nQuote\"\\");
}

TEST(StringResource, ACharacterOutsideTheBmpIsOneWideCharacter)
{
    wchar_t buffer[16];
    ASSERT_EQ(LoadStringW(FixtureModule(), IDS_WIDE_CHAR, buffer, 16), 3);
    EXPECT_EQ(buffer[1], static_cast<wchar_t>(0x1F600));
}

TEST(StringResource, TruncatesToTheBufferAndTerminates)
{
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(LoadStringW(FixtureModule(), IDS_TITLE, buffer, 4), 3);
    EXPECT_EQ(std::wstring(buffer), L"轻量化");
    wchar_t one[1] = {L'x'};
    EXPECT_EQ(LoadStringW(FixtureModule(), IDS_TITLE, one, 1), 0);
    EXPECT_EQ(one[0], L'\0');
}

TEST(StringResource, ZeroLengthBufferGivesAReadOnlyPointerIntoTheModule)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(FixtureModule(), IDS_SECOND, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_EQ(length, 6);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, static_cast<size_t>(length)), L"Second");
}

TEST(StringResource, MissingStringsGiveZero)
{
    wchar_t buffer[8] = {L'x'};
    EXPECT_EQ(LoadStringW(FixtureModule(), IDS_MISSING, buffer, 8), 0) << "absent from a block that exists";
    EXPECT_EQ(buffer[0], L'\0');
    SetLastError(0);
    EXPECT_EQ(LoadStringW(FixtureModule(), 1, buffer, 8), 0) << "a block that does not exist";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

} // namespace
