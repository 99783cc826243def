// The tokenizer the signing job splits its comma-separated fields with (what the fields become
// is the signing job tests').
#include <gtest/gtest.h>

#include "signing/StrTokenizer.h"

namespace {

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
