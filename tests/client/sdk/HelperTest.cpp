// VARIANT and string helpers of the SDK.
#include <gtest/gtest.h>

#include "QvATLHelper.h"
#include "QvString.h"

namespace {

VARIANT Bstr(const wchar_t* psz)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_BSTR;
    var.bstrVal = SysAllocString(psz);
    return var;
}

TEST(VariantHelperTest, TextOfScalarValues)
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_STREQ(L"", CVariantHelper::VariantToString(var).GetString());
    var.vt = VT_NULL;
    EXPECT_STREQ(L"", CVariantHelper::VariantToString(var).GetString());
    var.vt = VT_I4;
    var.lVal = -42;
    EXPECT_STREQ(L"-42", CVariantHelper::VariantToString(var).GetString());
    var.vt = VT_I8;
    var.llVal = 5000000000LL;
    EXPECT_STREQ(L"5000000000", CVariantHelper::VariantToString(var).GetString());
    var.vt = VT_R8;
    var.dblVal = 2.5;
    EXPECT_STREQ(L"2.5", CVariantHelper::VariantToString(var).GetString());
    VARIANT text = Bstr(L"图纸 A");
    EXPECT_STREQ(L"图纸 A", CVariantHelper::VariantToString(text).GetString());
    VariantClear(&text);
}

TEST(VariantHelperTest, LongOfNumbersAndDecimalText)
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_EQ(0, CVariantHelper::VariantToLong(var));
    var.vt = VT_I4;
    var.lVal = 5250;
    EXPECT_EQ(5250, CVariantHelper::VariantToLong(var));
    var.vt = VT_I2;
    var.iVal = -3;
    EXPECT_EQ(-3, CVariantHelper::VariantToLong(var));
    const struct {
        const wchar_t* text;
        LONG value;
    } cases[] = {{L"12", 12}, {L"  -7", -7}, {L"12abc", 12}, {L"abc", 0}, {L"", 0}, {L"+3", 3}};
    for (const auto& c : cases) {
        VARIANT text = Bstr(c.text);
        EXPECT_EQ(c.value, CVariantHelper::VariantToLong(text)) << static_cast<int>(c.value);
        VariantClear(&text);
    }
}

TEST(StringHelperTest, ComparesExactlyOrWithoutCaseAndTakesNullAsEmpty)
{
    EXPECT_EQ(0, CStringHelper::BSTRCompare(L"3DDocument", L"3DDocument", 0));
    EXPECT_NE(0, CStringHelper::BSTRCompare(L"Drawing", L"drawing", 0));
    EXPECT_EQ(0, CStringHelper::BSTRCompare(L"Drawing", L"drawing", 1));
    EXPECT_NE(0, CStringHelper::BSTRCompare(L"Drawing", L"Drawings", 1));
    EXPECT_EQ(0, CStringHelper::BSTRCompare(nullptr, L"", 0));
    EXPECT_NE(0, CStringHelper::BSTRCompare(nullptr, L"pdf", 0));
    EXPECT_LT(CStringHelper::BSTRCompare(L"a", L"b", 0), 0);
    EXPECT_GT(CStringHelper::BSTRCompare(L"b", L"a", 0), 0);
}

} // namespace
