// Code points of a wide string as the drawing code reads a stamp's text: a 16-bit wchar_t holds a
// character beyond U+FFFF as a surrogate pair, which is one code point; a 32-bit one holds it whole.
// Units are spelt out, so each case reads the same on both systems.
#include <utf/Utf.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::wstring Units(std::initializer_list<unsigned> units)
{
    std::wstring text;
    for (unsigned unit : units)
        text.push_back(static_cast<wchar_t>(unit));
    return text;
}

TEST(WideCodePoints, SurrogatePairsJoinAndUnpairedSurrogatesStay)
{
    const struct {
        const char* what;
        std::wstring text;
        std::u32string codePoints;
        std::vector<size_t> ends; // where each code point's units end
    } cases[] = {
        {"empty", L"", U"", {}},
        {"basic plane", L"张工 A", U"张工 A", {1, 2, 3, 4}},
        {"a pair is one code point", Units({0x5F20, 0xD840, 0xDC21, 0x41}), U"张\U00020021A", {1, 3, 4}},
        {"the last pair of the planes", Units({0xDBFF, 0xDFFF}), U"\U0010FFFF", {2}},
        {"two pairs in a row", Units({0xD83D, 0xDE00, 0xD840, 0xDC00}), U"\U0001F600\U00020000", {2, 4}},
        {"a high surrogate at the end", Units({0x41, 0xD840}), U"A\xD840", {1, 2}},
        {"a high surrogate before a character", Units({0xD840, 0x41}), U"\xD840" U"A", {1, 2}},
        {"a low surrogate alone", Units({0xDC21, 0x41}), U"\xDC21" U"A", {1, 2}},
        {"two high surrogates, then a low one", Units({0xD840, 0xD840, 0xDC21}), U"\xD840\U00020021", {1, 3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.codePoints, utf::CodePoints(c.text)) << c.what;
        std::vector<size_t> ends;
        for (size_t i = 0; i < c.text.size();) {
            utf::NextCodePoint(c.text, i);
            ends.push_back(i);
        }
        EXPECT_EQ(c.ends, ends) << c.what;
    }
}

TEST(WideCodePoints, WholeCharactersOfThisSystemsWideStrings)
{
    // What a literal beyond U+FFFF is in this compiler's wchar_t, read back as one code point.
    EXPECT_EQ(U"张\U00020021工", utf::CodePoints(L"张\U00020021工"));
    EXPECT_EQ(U"\U0001F600", utf::CodePoints(L"\U0001F600"));
}

} // namespace
