// _com_ptr_t and _bstr_t with the rules compiler COM support follows.
#include <gtest/gtest.h>

#include <comdef.h>

#include "FakeObjects.h"
#include "RaisedStatus.h"
#include "winenv/Faults.h"

namespace {

using viztest::Raised;

TEST(ComPtr, QueryFromAnotherInterfaceHoldsOneReferenceAndComparesIdentity)
{
    FakeObject object;
    {
        ITestBetaPtr beta(static_cast<ITestAlpha*>(&object));
        ASSERT_TRUE(beta);
        EXPECT_EQ(object.References(), 2u);
        ITestAlphaPtr alpha = beta; // smart pointer to smart pointer: another query
        EXPECT_EQ(object.References(), 3u);
        LONG value = 0;
        EXPECT_EQ(alpha->Alpha(&value), S_OK);
        EXPECT_EQ(value, 7);
    }
    EXPECT_EQ(object.References(), 1u);

    FakeObject one, two;
    ITestAlphaPtr alpha(static_cast<ITestAlpha*>(&one));
    ITestBetaPtr betaOfOne(static_cast<ITestAlpha*>(&one));
    ITestBetaPtr betaOfTwo(static_cast<ITestAlpha*>(&two));
    EXPECT_TRUE(alpha == betaOfOne);
    EXPECT_TRUE(alpha != betaOfTwo);
}

// A missing interface (or a null source) leaves the pointer empty; other failures raise their status.
TEST(ComPtr, AFailedQueryLeavesThePointerEmptyOrRaises)
{
    FakeObject object;
    object.m_betaResult = E_NOINTERFACE;
    ITestBetaPtr beta(static_cast<ITestAlpha*>(&object));
    EXPECT_FALSE(beta);
    beta = static_cast<ITestAlpha*>(&object);
    EXPECT_TRUE(beta == nullptr);
    EXPECT_FALSE(ITestBetaPtr(static_cast<ITestAlpha*>(nullptr)));
    object.m_betaResult = E_ACCESSDENIED;
    EXPECT_EQ(Raised([&] { ITestBetaPtr denied(static_cast<ITestAlpha*>(&object)); }), E_ACCESSDENIED);
    EXPECT_EQ(Raised([&] { beta = static_cast<ITestAlpha*>(&object); }), E_ACCESSDENIED);
    EXPECT_EQ(object.References(), 1u);
}

TEST(ComPtr, CallingThroughAnEmptyPointerRaisesEPointer)
{
    ITestAlphaPtr empty;
    LONG value;
    EXPECT_EQ(Raised([&] { empty->Alpha(&value); }), E_POINTER);
    EXPECT_EQ(Raised([&] { *empty; }), E_POINTER);
    EXPECT_EQ(Raised([&] { empty.AddRef(); }), E_POINTER);
}

TEST(ComPtr, DetachExplicitReferencesAndTheAddressOperator)
{
    FakeObject object;
    ITestAlphaPtr alpha(static_cast<ITestAlpha*>(&object));
    alpha.AddRef();
    EXPECT_EQ(object.References(), 3u);
    ITestAlpha* raw = alpha.Detach();
    EXPECT_EQ(raw, static_cast<ITestAlpha*>(&object));
    EXPECT_FALSE(alpha);
    EXPECT_EQ(object.References(), 3u);
    raw->Release();
    raw->Release();

    ITestBeta* beta = nullptr;
    ITestAlphaPtr again(static_cast<ITestAlpha*>(&object));
    EXPECT_EQ(again.QueryInterface(__uuidof(ITestBeta), &beta), S_OK);
    beta->Release();
    EXPECT_EQ(object.References(), 2u);
    ITestAlpha** slot = &again;
    EXPECT_EQ(*slot, nullptr) << "the address operator releases first";
    EXPECT_EQ(object.References(), 1u);
}

TEST(BstrT, CopiesShareOneStringAndAFailedAllocationRaisesOutOfMemory)
{
    _bstr_t a(L"shared");
    _bstr_t b = a;
    EXPECT_EQ(static_cast<const wchar_t*>(a), static_cast<const wchar_t*>(b));
    EXPECT_EQ(b.length(), 6u);
    EXPECT_TRUE(!_bstr_t());
    *b.GetAddress() = SysAllocString(L"out parameter"); // gives up its share first
    EXPECT_STREQ(static_cast<const wchar_t*>(a), L"shared");
    EXPECT_EQ(b.length(), 13u);
    BSTR embedded = SysAllocStringLen(L"a\0b", 3);
    _bstr_t copied(embedded, true);
    SysFreeString(embedded);
    EXPECT_EQ(copied.length(), 3u) << "a BSTR is copied whole, NULs included";

    winenv::FailNextBstrAllocations(1);
    EXPECT_EQ(Raised([] { _bstr_t sql(L"SELECT 1"); }), E_OUTOFMEMORY);
    _bstr_t after(L"the fault is used up");
    EXPECT_EQ(after.length(), 20u);
}

} // namespace
