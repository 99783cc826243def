// LoadStringW: strings in UTF-16 blocks of 16, handed out as wchar_t.
#include "ResourceTestSupport.h"
#include "FixtureResource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using restest::FixtureModule;

namespace {

// The copy is cut to the buffer and terminated; a missing string gives an empty one.
TEST(StringResource, CopiesTheStringOfTheUsersLanguage)
{
    const struct {
        UINT id;
        int buffer;
        int length;
        std::wstring text;
    } cases[] = {
        {IDS_TITLE, 64, 8, L"轻量化导出/打印"},
        {IDS_SECOND, 64, 6, L"Second"}, // the second string of the same block
        {IDS_ENGLISH_ONLY, 64, 12, L"English only"},
        {IDS_ESCAPES, 64, 16, L"Tab\there\nQuote\"\\"},
        {IDS_WIDE_CHAR, 16, 3, std::wstring(L"A") + wchar_t(0x1F600) + L"B"}, // one wide character
        {IDS_TITLE, 4, 3, L"轻量化"},
        {IDS_TITLE, 1, 0, L""},
        {IDS_MISSING, 8, 0, L""}, // absent from a block that exists
        {1, 8, 0, L""},           // in a block that does not exist
    };
    for (const auto& c : cases) {
        std::vector<wchar_t> buffer(static_cast<size_t>(c.buffer), L'x');
        EXPECT_EQ(LoadStringW(FixtureModule(), c.id, buffer.data(), c.buffer), c.length) << c.id;
        EXPECT_EQ(std::wstring(buffer.data()), c.text) << c.id;
    }
}

TEST(StringResource, ZeroLengthBufferGivesAReadOnlyPointerIntoTheModule)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(FixtureModule(), IDS_SECOND, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_EQ(length, 6);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, static_cast<size_t>(length)), L"Second");
}

} // namespace
