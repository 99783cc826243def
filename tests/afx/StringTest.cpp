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
    EXPECT_STREQ(L"", (LPCWSTR)strNull);

    CString a(L"abc");
    CString b(a);
    b += L"d";
    EXPECT_STREQ(L"abc", a);
    EXPECT_STREQ(L"abcd", b);
    b.Empty();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(0, b.GetLength());

    a = (LPCWSTR)a + 1; // assignment from a pointer into the string itself
    EXPECT_STREQ(L"bc", a);
}

TEST(CStringBasics, ComparisonIsExactOrCaseInsensitive)
{
    CString str(L"Report.PDF");
    EXPECT_EQ(0, str.Compare(L"Report.PDF"));
    EXPECT_NE(0, str.Compare(L"report.pdf"));
    EXPECT_EQ(0, str.CompareNoCase(L"report.pdf"));
    EXPECT_LT(str.CompareNoCase(L"S"), 0);
    EXPECT_GT(str.CompareNoCase(L"A"), 0);
    EXPECT_TRUE(str == L"Report.PDF");
    EXPECT_TRUE(str != L"Report.pdf");
}

TEST(CStringExtraction, LeftRightMidClampToTheString)
{
    CString str(L"0123456789");
    EXPECT_STREQ(L"012", str.Left(3));
    EXPECT_STREQ(L"789", str.Right(3));
    EXPECT_STREQ(L"3456", str.Mid(3, 4));
    EXPECT_STREQ(L"789", str.Mid(7));
    EXPECT_EQ(2, str.Mid(8, 5).GetLength()); // not past the end of the string
    EXPECT_STREQ(L"0123456789", str.Left(50));
    EXPECT_STREQ(L"", str.Mid(20));
    EXPECT_STREQ(L"", str.Right(-1));
}

TEST(CStringSearch, FindAndReverseFind)
{
    CString str(L"a.b.c.pdf");
    EXPECT_EQ(1, str.Find(L'.'));
    EXPECT_EQ(3, str.Find(L'.', 2));
    EXPECT_EQ(5, str.ReverseFind(L'.'));
    EXPECT_EQ(6, str.Find(L"pdf"));
    EXPECT_EQ(-1, str.Find(L"dwg"));
    EXPECT_EQ(-1, str.ReverseFind(L'/'));
    EXPECT_EQ(-1, str.Find(L'.', 100));
}

TEST(CStringModification, CaseReplaceTrimAndTokenize)
{
    CString str(L"Part-A.Step");
    str.MakeLower();
    EXPECT_STREQ(L"part-a.step", str);
    str.MakeUpper();
    EXPECT_STREQ(L"PART-A.STEP", str);

    CString strPath(L"a\\b\\c");
    EXPECT_EQ(2, strPath.Replace(L"\\", L"\\\\"));
    EXPECT_STREQ(L"a\\\\b\\\\c", strPath);

    CString strPadded(L"  text \t");
    strPadded.Trim();
    EXPECT_STREQ(L"text", strPadded);

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

TEST(CStringBstr, AllocSysStringCopiesTextAndLength)
{
    CString str(L"签名.ini");
    BSTR bstr = str.AllocSysString();
    ASSERT_NE(nullptr, bstr);
    EXPECT_EQ(6u, SysStringLen(bstr));
    EXPECT_STREQ(L"签名.ini", bstr);
    SysFreeString(bstr);

    CString strEmpty;
    BSTR bstrEmpty = strEmpty.AllocSysString();
    ASSERT_NE(nullptr, bstrEmpty); // an empty string is an empty BSTR, not a null one
    EXPECT_EQ(0u, SysStringLen(bstrEmpty));
    SysFreeString(bstrEmpty);
}

TEST(CStringBstr, AllocSysStringRaisesTheMemoryExceptionWhenOutOfMemory)
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
    BSTR bstr = str.AllocSysString(); // the fault is over
    EXPECT_STREQ(L"text", bstr);
    SysFreeString(bstr);
}

TEST(CStringOperators, ConcatenationKeepsOperandsApart)
{
    CString strFolder(L"dir");
    CString strPath = strFolder + L"\\" + CString(L"f.pdf");
    EXPECT_STREQ(L"dir\\f.pdf", strPath);
    EXPECT_STREQ(L"dir", strFolder);
    EXPECT_STREQ(L"xdir", L'x' + strFolder);
}

} // namespace
