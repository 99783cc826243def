// CString: formatting with the Windows runtime's rules, extraction and searching.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The conversions are the runtime's (tested with it); here what Format adds: results around the
// length the text is first formatted into (twice the format, and 64), and literal runs between
// conversions.
TEST(CStringFormat, EveryLengthComesOutWhole)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* format;
        int argLength;
    };
    const Case cases[] = {
        {L"short", L"[%s]", 3},
        {L"one below the first buffer", L"[%s]", 69},
        {L"exactly the first buffer", L"[%s]", 70},
        {L"one past the first buffer", L"[%s]", 71},
        {L"far past the first buffer", L"[%s]", 5000},
        {L"literal runs and percent signs", L"100%% of [%s] at 50%%", 80},
    };
    for (const Case& c : cases) {
        const std::wstring arg(static_cast<size_t>(c.argLength), L'零');
        std::wstring expected;
        std::wstring format = c.format;
        const size_t at = format.find(L"%s");
        for (size_t i = 0; i < format.size(); ++i) {
            if (i == at) {
                expected += arg;
                ++i;
            } else if (format[i] == L'%' && format[i + 1] == L'%') {
                expected += L'%';
                ++i;
            } else {
                expected += format[i];
            }
        }
        CString str(L"replaced by Format");
        str.Format(c.format, arg.c_str());
        EXPECT_EQ(expected, std::wstring(static_cast<LPCWSTR>(str), static_cast<size_t>(str.GetLength())))
            << c.name;
    }
}

// A string joined with or assigned from its own text holds the whole text, also when the join
// outgrows its buffer.
TEST(CStringBuffers, OwnTextJoinedOrAssignedIsWhole)
{
    for (size_t length : {200, 255, 256, 300, 511, 512, 1000, 1023, 4096, 5000}) {
        const std::wstring half(length, L'b');
        CString str(half.c_str());
        str += static_cast<LPCWSTR>(str);
        ASSERT_EQ(half + half, std::wstring(str, static_cast<size_t>(str.GetLength()))) << length;
        str = static_cast<LPCWSTR>(str) + length;
        ASSERT_EQ(half, std::wstring(str, static_cast<size_t>(str.GetLength()))) << length;
    }
}

TEST(CStringBasics, EmptyNullAndCopies)
{
    CString strNull((LPCWSTR)NULL);
    EXPECT_TRUE(strNull.IsEmpty());
    CString a(L"abc");
    CString b(a);
    b += L"d";
    EXPECT_STREQ(L"abc", a);
    EXPECT_STREQ(L"abcd", b);
    a = (LPCWSTR)a + 1; // assignment from a pointer into the string itself
    EXPECT_STREQ(L"bc", a);
}

// What each operation gives, text or number; extraction clamps to the string.
TEST(CStringOperations, ExtractSearchAndCompare)
{
    const CString str(L"0123456789"), dots(L"a.b.c.pdf"), name(L"Report.PDF"), folder(L"dir");
    const struct {
        const char* what;
        CString got;
        const wchar_t* expected;
    } texts[] = {
        {"Left", str.Left(3), L"012"}, {"Right", str.Right(3), L"789"},
        {"Left past the end", str.Left(50), L"0123456789"}, {"Right past the end", str.Right(50), L"0123456789"},
        {"Right of a negative count", str.Right(-1), L""}, {"Left of a negative count", str.Left(-1), L""},
        {"concatenation", L"\\" + folder + L"\\f.pdf", L"\\dir\\f.pdf"}, {"operands kept", folder, L"dir"},
    };
    for (const auto& c : texts) // whole lengths: a count past the end must not reach beyond the terminator
        EXPECT_EQ(c.expected, std::wstring(static_cast<LPCWSTR>(c.got), static_cast<size_t>(c.got.GetLength()))) << c.what;
    const struct {
        const char* what;
        int got, expected;
    } numbers[] = {
        {"Find", dots.Find(L'.'), 1}, {"Find from", dots.Find(L'.', 2), 3}, {"ReverseFind", dots.ReverseFind(L'.'), 5},
        {"FindOneOf", dots.FindOneOf(L"cb"), 2}, {"FindOneOf absent", dots.FindOneOf(L"\\/"), -1},
        {"ReverseFind absent", dots.ReverseFind(L'/'), -1}, {"Find past the end", dots.Find(L'.', 100), -1},
        {"Compare", name.Compare(L"Report.PDF"), 0},
        {"Compare is exact", name.Compare(L"report.pdf") != 0, 1}, {"CompareNoCase", name.CompareNoCase(L"report.pdf"), 0},
        {"CompareNoCase less", name.CompareNoCase(L"S") < 0, 1}, {"CompareNoCase more", name.CompareNoCase(L"A") > 0, 1},
        {"==", name == L"Report.PDF", 1}, {"!=", name != L"Report.pdf", 1},
    };
    for (const auto& c : numbers)
        EXPECT_EQ(c.expected, c.got) << c.what;
}

} // namespace
