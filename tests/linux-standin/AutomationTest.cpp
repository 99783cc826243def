// BSTR, VARIANT and SAFEARRAY as OLE automation defines them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include <comdef.h>

#include "FakeObjects.h"
#include "winenv/Faults.h"

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
    SysFreeString(text);

    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);

    winenv::FailNextBstrAllocations(2);
    EXPECT_EQ(SysAllocString(L"x"), nullptr);
    EXPECT_EQ(SysAllocStringLen(L"x", 1), nullptr);
    BSTR third = SysAllocString(L"x");
    EXPECT_NE(third, nullptr);
    SysFreeString(third);
}

// Automation keeps freed strings' space for later strings: a string made after another was freed
// holds its own length, text and terminator, whatever the other's size.
TEST(Bstr, AStringMadeAfterAnotherWasFreedIsWhole)
{
    const UINT lengths[] = {0, 1, 3, 4, 5, 100, 520, 1000, 2100, 4000, 16383, 16384, 20000};
    for (UINT first : lengths)
        for (UINT then : lengths) {
            SysFreeString(SysAllocStringLen(std::wstring(first, L'a').c_str(), first));
            const std::wstring text(then, L'b');
            BSTR made = SysAllocStringLen(text.c_str(), then);
            ASSERT_NE(made, nullptr);
            EXPECT_EQ(then, SysStringLen(made)) << first << ", " << then;
            EXPECT_EQ(text, std::wstring(made, then)) << first << ", " << then;
            EXPECT_EQ(L'\0', made[then]) << first << ", " << then;
            SysFreeString(made);
        }
}

// A VARIANT of type vt: text for VT_BSTR, otherwise number (VT_R8: a quarter of it).
VARIANT Value(VARTYPE vt, LONG number, const wchar_t* text = nullptr)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    if (vt == VT_BSTR)
        v.bstrVal = SysAllocString(text);
    else if (vt == VT_BOOL)
        v.boolVal = number ? VARIANT_TRUE : VARIANT_FALSE;
    else if (vt == VT_R8)
        v.dblVal = number / 4.0;
    else
        v.lVal = number;
    return v;
}

VARIANT Text(const wchar_t* text) { return Value(VT_BSTR, 0, text); }

// What VariantChangeType makes of each source, read back as text: the conversions the client, the
// SDK and the viewer control ask for. A floating value rounds half to even, booleans are -1 and 0,
// empty converts and null does not, and a failure leaves the target.
TEST(Variant, ChangeTypeOfNumbersBooleansAndTextAsItsCallersAsk)
{
    VARIANT tooBig = Value(VT_R8, 0);
    tooBig.dblVal = 2147483647.5;
    const struct {
        const char* what;
        VARIANT source;
        VARTYPE vt;
        HRESULT hr;
        const wchar_t* text; // the result as VT_BSTR; on failure the target's untouched "before"
    } cases[] = {
        {"number to text", Value(VT_I4, 1234), VT_BSTR, S_OK, L"1234"},
        {"double to text", Value(VT_R8, 6), VT_BSTR, S_OK, L"1.5"},
        {"half to even, down", Value(VT_R8, 10), VT_I4, S_OK, L"2"},
        {"half to even, up", Value(VT_R8, -14), VT_I4, S_OK, L"-4"},
        {"too big for VT_I4", tooBig, VT_I4, DISP_E_OVERFLOW, L"before"},
        {"true to text", Value(VT_BOOL, 1), VT_BSTR, S_OK, L"-1"},
        {"empty to number", Value(VT_EMPTY, 0), VT_I4, S_OK, L"0"},
        {"empty to text", Value(VT_EMPTY, 0), VT_BSTR, S_OK, L""},
        {"null to number", Value(VT_NULL, 0), VT_I4, DISP_E_TYPEMISMATCH, L"before"},
    };
    for (auto c : cases) {
        VARIANT result = Text(L"before");
        EXPECT_EQ(c.hr, VariantChangeType(&result, &c.source, 0, c.vt)) << c.what;
        EXPECT_EQ(S_OK, VariantChangeType(&result, &result, 0, VT_BSTR)) << c.what;
        EXPECT_STREQ(c.text, V_BSTR(&result)) << c.what;
        VariantClear(&result);
        VariantClear(&c.source);
    }
}

TEST(Variant, CopyDuplicatesStringsAndReferencesInterfaces)
{
    FakeObject object;
    {
        _variant_t source;
        source.vt = VT_UNKNOWN;
        source.punkVal = static_cast<ITestAlpha*>(&object);
        object.AddRef();
        _variant_t copy(source);
        EXPECT_EQ(object.References(), 3u);
        _variant_t text;
        text.vt = VT_BSTR;
        text.bstrVal = SysAllocString(L"text");
        _variant_t textCopy(text);
        EXPECT_NE(V_BSTR(&text), V_BSTR(&textCopy));
        EXPECT_STREQ(V_BSTR(&text), V_BSTR(&textCopy));
        _variant_t moved(std::move(copy));
        EXPECT_EQ(V_VT(&copy), VT_EMPTY);
        ITestAlphaPtr alpha(moved); // a smart pointer from a VARIANT queries its interface
        EXPECT_TRUE(alpha);
        EXPECT_THROW(_variant_t(1L, VT_BSTR), _com_error);
    }
    EXPECT_EQ(object.References(), 1u);
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
