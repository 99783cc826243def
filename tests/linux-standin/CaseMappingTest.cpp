// Case mapping as Windows does it. user32's CharLowerBuff/CharUpperBuff and kernel32's
// CompareString fold every letter with a one-to-one partner in any locale, where glibc's
// towlower/towupper (and C++'s std::tolower over them) fold only A-Z in the "C" locale a program
// starts in. The C runtime's _wcsicmp stays with A-Z in that locale on Windows too.
#include <gtest/gtest.h>

#include <string>

#include "windows.h"

namespace {

std::string Hex(wchar_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

// Letters where a glibc program in the "C" locale and Windows disagree, and letters no one folds.
struct Letter {
    wchar_t upper;
    wchar_t lower;
    const char* what;
} const kPairs[] = {
    {L'A', L'a', "ASCII"},
    {0x00C0, 0x00E0, "Latin-1 A grave"},
    {0x00DE, 0x00FE, "Latin-1 thorn"},
    {0x0178, 0x00FF, "y diaeresis, whose capital lies in Latin Extended-A"},
    {0x0141, 0x0142, "Latin Extended-A L stroke"},
    {0x01A0, 0x01A1, "Latin Extended-B O horn"},
    {0x1EA0, 0x1EA1, "Latin Extended Additional A dot below"},
    {0x03A9, 0x03C9, "Greek omega"},
    {0x0386, 0x03AC, "Greek alpha tonos"},
    {0x042F, 0x044F, "Cyrillic ya"},
    {0x0401, 0x0451, "Cyrillic io"},
    {0x0531, 0x0561, "Armenian ayb"},
    {0xFF3A, 0xFF5A, "full-width Z"},
};

const wchar_t kCaseless[] = {
    L'0', L'_', 0x00D7 /* multiplication sign between the Latin-1 capitals */, 0x00DF /* sharp s: its capital is "SS" */,
    0x0138 /* kra */, 0x4E2D /* an ideograph */, 0xFF10 /* full-width digit */, 0x00F7 /* division sign */,
};

TEST(CaseMapping, CharLowerBuffAndCharUpperBuffFoldEveryLetterWithAPartner)
{
    for (const Letter& l : kPairs) {
        SCOPED_TRACE(std::string(l.what) + " " + Hex(l.upper));
        wchar_t text[] = {l.upper, l.lower};
        EXPECT_EQ(2u, CharLowerBuffW(text, 2));
        EXPECT_EQ(std::wstring({l.lower, l.lower}), std::wstring(text, 2));
        CharUpperBuffW(text, 2);
        EXPECT_EQ(std::wstring({l.upper, l.upper}), std::wstring(text, 2));
    }
    for (wchar_t c : kCaseless) {
        SCOPED_TRACE(Hex(c));
        wchar_t text[] = {c, c};
        CharLowerBuffW(text, 1);
        CharUpperBuffW(text + 1, 1);
        EXPECT_EQ(std::wstring({c, c}), std::wstring(text, 2));
    }
}

TEST(CaseMapping, CompareStringAndLstrcmpiIgnoreTheCaseOfEveryLetter)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int ignoringCase; // CSTR_* with NORM_IGNORECASE
        int exact;        // CSTR_* without flags
    } cases[] = {
        {L"Drawing.PDF", L"drawing.pdf", CSTR_EQUAL, CSTR_LESS_THAN},
        {L"ÄRGER", L"ärger", CSTR_EQUAL, CSTR_LESS_THAN},
        {L"МОСКВА", L"москва", CSTR_EQUAL, CSTR_LESS_THAN},
        {L"ΣΟΦΊΑ", L"σοφία", CSTR_EQUAL, CSTR_LESS_THAN},
        {L"ＡＢＣ", L"ａｂｃ", CSTR_EQUAL, CSTR_LESS_THAN},
        {L"STRASSE", L"straße", CSTR_LESS_THAN, CSTR_LESS_THAN}, // one-to-one folding only
        {L"abc", L"ABD", CSTR_LESS_THAN, CSTR_GREATER_THAN},
        {L"ab", L"AB c", CSTR_LESS_THAN, CSTR_GREATER_THAN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(c.ignoringCase, CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, c.a, -1, c.b, -1));
        EXPECT_EQ(c.ignoringCase - CSTR_EQUAL, lstrcmpiW(c.a, c.b));
        EXPECT_EQ(c.exact, CompareStringW(LOCALE_USER_DEFAULT, 0, c.a, -1, c.b, -1));
    }
    EXPECT_EQ(CSTR_EQUAL, CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, L"ÄrgerX", 5, L"äRGERy", 5))
        << "explicit lengths";
}

} // namespace
