// BSTR, VARIANT and SAFEARRAY as OLE automation defines them.
#include <gtest/gtest.h>

#include <cstring>

#include <comdef.h>

#include "FakeObjects.h"
#include "win32host/Faults.h"

namespace {

TEST(Bstr, CarriesItsByteLengthBeforeTheCharactersAndFailsWhenAFaultIsInjected)
{
    BSTR text = SysAllocStringLen(L"a\0b", 3); // embedded NULs are part of a BSTR
    ASSERT_NE(text, nullptr);
    DWORD prefix;
    std::memcpy(&prefix, reinterpret_cast<const char*>(text) - sizeof(DWORD), sizeof prefix);
    EXPECT_EQ(prefix, 3 * sizeof(OLECHAR));
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(text[3], L'\0');
    EXPECT_TRUE(SysReAllocStringLen(&text, L"longer text", 11));
    EXPECT_EQ(SysStringLen(text), 11u);
    SysFreeString(text);

    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);

    win32host::FailNextBstrAllocations(2);
    EXPECT_EQ(SysAllocString(L"x"), nullptr);
    EXPECT_EQ(SysAllocStringLen(L"x", 1), nullptr);
    BSTR third = SysAllocString(L"x");
    EXPECT_NE(third, nullptr);
    SysFreeString(third);
}

TEST(Variant, ChangeTypeBetweenNumbersBooleansAndText)
{
    _variant_t number(1234);
    EXPECT_EQ(V_VT(&number), VT_I4);
    _variant_t text;
    ASSERT_EQ(VariantChangeType(&text, &number, 0, VT_BSTR), S_OK);
    EXPECT_STREQ(V_BSTR(&text), L"1234");

    _variant_t parsed(L"  -42 ");
    parsed.ChangeType(VT_I4);
    EXPECT_EQ(V_I4(&parsed), -42);
    EXPECT_EQ(static_cast<long>(_variant_t(L"2.5")), 2L); // half to even
    EXPECT_EQ(static_cast<long>(_variant_t(L"3.5")), 4L);
    EXPECT_EQ(static_cast<double>(_variant_t(L"0.25")), 0.25);
    EXPECT_STREQ(static_cast<const wchar_t*>(_bstr_t(_variant_t(1.5))), L"1.5");

    _variant_t word(L"abc");
    EXPECT_EQ(VariantChangeType(&word, &word, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(V_VT(&word), VT_BSTR); // a failed conversion leaves the value
    _variant_t big(100000);
    VARIANT small;
    VariantInit(&small);
    EXPECT_EQ(VariantChangeType(&small, &big, 0, VT_I2), DISP_E_OVERFLOW);
    EXPECT_THROW(static_cast<long>(_variant_t(L"x")), _com_error);

    // Booleans are -1 and 0; empty converts, null does not.
    _variant_t yes(true);
    EXPECT_EQ(V_BOOL(&yes), VARIANT_TRUE);
    EXPECT_STREQ(static_cast<const wchar_t*>(_bstr_t(yes)), L"-1");
    _variant_t alpha;
    ASSERT_EQ(VariantChangeType(&alpha, &yes, VARIANT_ALPHABOOL, VT_BSTR), S_OK);
    EXPECT_STREQ(V_BSTR(&alpha), L"True");
    EXPECT_TRUE(static_cast<bool>(_variant_t(L"True")));
    EXPECT_FALSE(static_cast<bool>(_variant_t(L"0")));
    EXPECT_TRUE(static_cast<bool>(_variant_t(7)));
    EXPECT_EQ(static_cast<long>(yes), -1L);
    _variant_t empty;
    EXPECT_EQ(static_cast<long>(empty), 0L);
    EXPECT_EQ(_bstr_t(empty).length(), 0u);
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(VariantChangeType(&out, &null, 0, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(Variant, CopyDuplicatesStringsAndReferencesInterfaces)
{
    FakeObject object;
    {
        _variant_t source(static_cast<IUnknown*>(static_cast<ITestAlpha*>(&object)));
        EXPECT_EQ(object.References(), 2u);
        _variant_t copy(source);
        EXPECT_EQ(object.References(), 3u);
        _variant_t text(L"text");
        _variant_t textCopy(text);
        EXPECT_NE(V_BSTR(&text), V_BSTR(&textCopy));
        EXPECT_TRUE(text == textCopy);
        ITestAlphaPtr alpha(copy); // a smart pointer from a VARIANT queries its interface
        EXPECT_TRUE(alpha);
    }
    EXPECT_EQ(object.References(), 1u);
}

TEST(SafeArray, MultiDimensionalIndicesStartWithTheLeftMostDimension)
{
    SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 10}}; // rows 1..2, columns 10..12
    SAFEARRAY* array = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(array, nullptr);
    LONG low, high;
    EXPECT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 2);
    EXPECT_EQ(SafeArrayGetLBound(array, 2, &low), S_OK);
    EXPECT_EQ(low, 10);
    EXPECT_EQ(SafeArrayGetLBound(array, 3, &low), DISP_E_BADINDEX);

    for (LONG row = 1; row <= 2; ++row)
        for (LONG column = 10; column <= 12; ++column) {
            LONG index[2] = {row, column};
            LONG value = row * 100 + column;
            ASSERT_EQ(SafeArrayPutElement(array, index, &value), S_OK);
        }
    LONG* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
    // The left-most dimension varies fastest in memory.
    EXPECT_EQ(data[0], 110);
    EXPECT_EQ(data[1], 210);
    EXPECT_EQ(data[2], 111);
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    LONG outside[2] = {3, 10};
    LONG value;
    EXPECT_EQ(SafeArrayGetElement(array, outside, &value), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, OwnsItsElementsAndCannotBeDestroyedWhileLocked)
{
    FakeObject object;
    SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 0, 2);
    SAFEARRAY* objects = SafeArrayCreateVector(VT_UNKNOWN, 0, 1);
    LONG index = 1;
    BSTR original = SysAllocString(L"kept by the caller");
    ASSERT_EQ(SafeArrayPutElement(strings, &index, original), S_OK);
    SysFreeString(original); // the array stored its own copy
    BSTR fetched = nullptr;
    ASSERT_EQ(SafeArrayGetElement(strings, &index, &fetched), S_OK);
    EXPECT_STREQ(fetched, L"kept by the caller");
    SysFreeString(fetched);

    index = 0;
    ASSERT_EQ(SafeArrayPutElement(objects, &index, static_cast<ITestAlpha*>(&object)), S_OK);
    EXPECT_EQ(object.References(), 2u);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(objects, &copy), S_OK);
    EXPECT_EQ(object.References(), 3u);
    VARTYPE vt;
    EXPECT_EQ(SafeArrayGetVartype(copy, &vt), S_OK);
    EXPECT_EQ(vt, VT_UNKNOWN);

    VARIANT holder;
    VariantInit(&holder);
    holder.vt = VT_ARRAY | VT_UNKNOWN;
    holder.parray = copy;
    EXPECT_EQ(VariantClear(&holder), S_OK); // clearing the VARIANT destroys its array
    EXPECT_EQ(object.References(), 2u);
    EXPECT_EQ(SafeArrayDestroy(objects), S_OK);
    EXPECT_EQ(object.References(), 1u);
    EXPECT_EQ(SafeArrayDestroy(strings), S_OK);

    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    ASSERT_EQ(SafeArrayLock(array), S_OK);
    ASSERT_EQ(SafeArrayLock(array), S_OK);
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnlock(array), S_OK);
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnlock(array), S_OK);
    EXPECT_EQ(SafeArrayUnlock(array), E_UNEXPECTED);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

} // namespace
