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

// Empty fields vanish; the fields are appended to what the array holds.
TEST(SplitFields, EmptyFieldsVanish)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* joined;
    } cases[] = {
        {L"100,200,50,20", L"first|100|200|50|20"},
        {L"10,,20", L"first|10|20"},
        {L",10,20,", L"first|10|20"},
        {L"100, 200", L"first|100| 200"},
        {L"", L"first"},
        {L",,,", L"first"},
        {L"single", L"first|single"},
    };
    for (const Case& c : cases) {
        CStringArray fields;
        fields.Add(L"first");
        SplitFields(c.text, fields);
        EXPECT_EQ(std::wstring(c.joined), Join(fields)) << c.text;
    }
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
