// Comma-separated fields as the signing job reads them.
#include <gtest/gtest.h>

#include "signing/SplitFields.h"
#include "signing/StrTokenizer.h"

namespace {

std::wstring Join(const CStringArray& fields)
{
    std::wstring text;
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
        text += (i ? L"|" : L"") + std::wstring(fields[i]);
    return text;
}

TEST(SplitFields, EmptyFieldsVanish)
{
    struct Case {
        const wchar_t* text;
        INT_PTR count;
        const wchar_t* joined;
    } cases[] = {
        {L"100,200,50,20", 4, L"100|200|50|20"},
        {L"10,,20", 2, L"10|20"},
        {L",10,20,", 2, L"10|20"},
        {L"100, 200", 2, L"100| 200"},
        {L"", 0, L""},
        {L",,,", 0, L""},
        {L"single", 1, L"single"},
    };
    for (const Case& c : cases) {
        CStringArray fields;
        SplitFields(c.text, fields);
        EXPECT_EQ(c.count, fields.GetSize()) << c.text;
        EXPECT_EQ(std::wstring(c.joined), Join(fields));
    }
}

TEST(SplitFields, AppendsToTheArray)
{
    CStringArray fields;
    fields.Add(L"first");
    SplitFields(L"a,b", fields);
    EXPECT_EQ(L"first|a|b", Join(fields));
}

TEST(StrTokenizer, TakesTheFirstTokenAtOnceAndTerminatesInPlace)
{
    wchar_t text[] = L"ab;cd;;ef";
    CStrTokenizer tokenizer(text, L";");
    ASSERT_TRUE(tokenizer.HasMoreTokens());
    EXPECT_STREQ(L"ab", tokenizer.NextToken());
    EXPECT_EQ(L'\0', text[2]);
    EXPECT_STREQ(L"cd", tokenizer.NextToken());
    EXPECT_STREQ(L"ef", tokenizer.NextToken());
    EXPECT_FALSE(tokenizer.HasMoreTokens());
}

} // namespace
