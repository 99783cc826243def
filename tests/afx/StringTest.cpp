// CString: formatting with the Windows runtime's rules, extraction, searching, buffers and BSTRs.
#include <afx.h>

#include <win32host/Faults.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The conversions are the runtime's (tested with it); here what Format and AppendFormat add:
// results around the length the text is first formatted into (twice the format, and 64), and
// literal runs between conversions, as Format and AppendFormat give them.
TEST(CStringFormat, EveryLengthComesOutWhole)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* prefix; // what the string held before AppendFormat; null: Format
        const wchar_t* format;
        int argLength;
    };
    const Case cases[] = {
        {L"short", nullptr, L"[%s]", 3},
        {L"one below the first buffer", nullptr, L"[%s]", 69},
        {L"exactly the first buffer", nullptr, L"[%s]", 70},
        {L"one past the first buffer", nullptr, L"[%s]", 71},
        {L"far past the first buffer", nullptr, L"[%s]", 5000},
        {L"appended past the first buffer", L"SELECT 1", L"[%s]", 71},
        {L"appended onto a long string", L"0123456789012345678901234567890123456789012345678901234567890123456789",
            L"[%s]", 500},
        {L"literal runs and percent signs", nullptr, L"100%% of [%s] at 50%%", 80},
    };
    for (const Case& c : cases) {
        const std::wstring arg(static_cast<size_t>(c.argLength), L'零');
        std::wstring expected = c.prefix ? c.prefix : L"";
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
        CString str(c.prefix ? c.prefix : L"unchanged before Format");
        if (c.prefix)
            str.AppendFormat(c.format, arg.c_str());
        else
            str.Format(c.format, arg.c_str());
        EXPECT_EQ(expected, std::wstring(static_cast<LPCWSTR>(str), static_cast<size_t>(str.GetLength())))
            << c.name;
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
TEST(CStringOperations, ExtractSearchCompareAndChange)
{
    const CString str(L"0123456789"), dots(L"a.b.c.pdf"), name(L"Report.PDF"), folder(L"dir");
    CString lower(L"Part-A.Step"), upper(lower), path(L"a\\b\\c"), padded(L"  text \t");
    lower.MakeLower();
    upper.MakeUpper();
    const int nReplaced = path.Replace(L"\\", L"\\\\");
    padded.Trim();
    const struct {
        const char* what;
        CString got;
        const wchar_t* expected;
    } texts[] = {
        {"Left", str.Left(3), L"012"}, {"Right", str.Right(3), L"789"}, {"Mid", str.Mid(3, 4), L"3456"},
        {"Mid to the end", str.Mid(7), L"789"}, {"Mid past the end", str.Mid(8, 5), L"89"},
        {"Left past the end", str.Left(50), L"0123456789"}, {"Mid after the end", str.Mid(20), L""},
        {"Right of a negative count", str.Right(-1), L""}, {"MakeLower", lower, L"part-a.step"},
        {"MakeUpper", upper, L"PART-A.STEP"}, {"Replace", path, L"a\\\\b\\\\c"}, {"Trim", padded, L"text"},
        {"concatenation", folder + L"\\" + CString(L"f.pdf"), L"dir\\f.pdf"}, {"operands kept", folder, L"dir"},
        {"character first", L'x' + folder, L"xdir"},
    };
    for (const auto& c : texts) // whole lengths: a count past the end must not reach beyond the terminator
        EXPECT_EQ(c.expected, std::wstring(static_cast<LPCWSTR>(c.got), static_cast<size_t>(c.got.GetLength()))) << c.what;
    const struct {
        const char* what;
        int got, expected;
    } numbers[] = {
        {"Find", dots.Find(L'.'), 1}, {"Find from", dots.Find(L'.', 2), 3}, {"ReverseFind", dots.ReverseFind(L'.'), 5},
        {"Find text", dots.Find(L"pdf"), 6}, {"Find absent text", dots.Find(L"dwg"), -1},
        {"ReverseFind absent", dots.ReverseFind(L'/'), -1}, {"Find past the end", dots.Find(L'.', 100), -1},
        {"Replace count", nReplaced, 2}, {"Compare", name.Compare(L"Report.PDF"), 0},
        {"Compare is exact", name.Compare(L"report.pdf") != 0, 1}, {"CompareNoCase", name.CompareNoCase(L"report.pdf"), 0},
        {"CompareNoCase less", name.CompareNoCase(L"S") < 0, 1}, {"CompareNoCase more", name.CompareNoCase(L"A") > 0, 1},
        {"==", name == L"Report.PDF", 1}, {"!=", name != L"Report.pdf", 1},
    };
    for (const auto& c : numbers)
        EXPECT_EQ(c.expected, c.got) << c.what;

    CString strFields(L"x,,y,z");
    int iPos = 0;
    EXPECT_STREQ(L"x", strFields.Tokenize(L",", iPos));
    EXPECT_STREQ(L"y", strFields.Tokenize(L",", iPos));
    EXPECT_STREQ(L"z", strFields.Tokenize(L",", iPos));
    strFields.Tokenize(L",", iPos);
    EXPECT_EQ(-1, iPos);
}

TEST(CStringBuffer, ReleaseBufferTakesTheLengthUpToTheTerminator)
{
    CString str;
    LPWSTR p = str.GetBuffer(260);
    wcscpy_s(p, 260, L"C:\\Windows\\System32");
    str.ReleaseBuffer();
    EXPECT_EQ(19, str.GetLength());
    EXPECT_STREQ(L"C:\\Windows\\System32", str);

    p = str.GetBuffer(10);
    p[2] = L'\0';
    str.ReleaseBuffer();
    EXPECT_STREQ(L"C:", str);

    p = str.GetBufferSetLength(4);
    p[0] = L'a'; p[1] = L'b'; p[2] = L'c'; p[3] = L'd';
    str.ReleaseBuffer(3);
    EXPECT_STREQ(L"abc", str);
}

TEST(CStringBstr, AllocSysStringCopiesTextAndLengthOrRaisesTheMemoryException)
{
    CString str(L"text");
    win32host::FailNextBstrAllocations(1);
    CMemoryException* pCaught = NULL;
    try {
        BSTR bstr = str.AllocSysString();
        SysFreeString(bstr);
    } catch (CMemoryException* e) {
        pCaught = e;
        e->Delete(); // the framework's static memory exception survives Delete
    }
    win32host::FailNextBstrAllocations(0);
    ASSERT_NE(nullptr, pCaught);
    EXPECT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CMemoryException)));
    BSTR bstr = CString(L"签名.ini").AllocSysString(); // the fault is over
    EXPECT_EQ(6u, SysStringLen(bstr));
    EXPECT_STREQ(L"签名.ini", bstr);
    SysFreeString(bstr);
    bstr = CString().AllocSysString();
    ASSERT_NE(nullptr, bstr); // an empty string is an empty BSTR, not a null one
    EXPECT_EQ(0u, SysStringLen(bstr));
    SysFreeString(bstr);
}

} // namespace
