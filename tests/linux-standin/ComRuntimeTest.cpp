// The COM runtime's class registry, object creation and OleRun.
#include <gtest/gtest.h>

#include <comdef.h>

#include "FakeObjects.h"

#include <comkit/ClassFactory.h>

namespace {

const CLSID CLSID_TestThing = {0x0D1B4C6E, 0x2222, 0x4A5B, {0x9C, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};

struct RunnableThing : FakeObjectOf<IRunnableObject> {
    int m_runs = 0;
    bool m_offerRunnable = true;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == __uuidof(IRunnableObject) && !m_offerRunnable) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return FakeObjectOf::QueryInterface(riid, ppv);
    }
    STDMETHODIMP GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
    STDMETHODIMP Run(void*) override
    {
        ++m_runs;
        return S_OK;
    }
    STDMETHODIMP_(BOOL) IsRunning() override { return m_runs > 0; }
    STDMETHODIMP LockRunning(BOOL, BOOL) override { return S_OK; }
    STDMETHODIMP SetContainedObject(BOOL) override { return S_OK; }
};

class ComRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(CoRegisterClassObject(CLSID_TestThing, m_factory, CLSCTX_INPROC_SERVER,
                      REGCLS_MULTIPLEUSE, &m_cookie),
            S_OK);
    }
    void TearDown() override
    {
        CoRevokeClassObject(m_cookie);
        CoUninitialize();
    }

    RunnableThing m_object;
    // Hands out the one test object.
    IClassFactoryPtr m_factory{new comkit::ClassFactory(
        [this](REFIID riid, void** ppv) { return static_cast<ITestAlpha*>(&m_object)->QueryInterface(riid, ppv); })};
    DWORD m_cookie = 0;
};

// The registered class is reached when the context includes an in-process server; failures come
// back unchanged, with no object.
TEST_F(ComRuntimeTest, CoCreateInstanceReachesTheRegisteredClassOrSaysWhyNot)
{
    FakeObject outer;
    const GUID unknown = win32_guid::parse("0D1B4C6E-2222-4A5B-9C8D-0000000000FF");
    const struct {
        const char* what;
        const CLSID& clsid;
        IUnknown* outer;
        DWORD context;
        IID iid;
        HRESULT expected;
    } cases[] = {
        {"in-process", CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITestAlpha), S_OK},
        {"0x17", CLSID_TestThing, nullptr, 0x17, __uuidof(ITestAlpha), S_OK},
        {"local server only", CLSID_TestThing, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"unknown class", unknown, nullptr, 0x17, IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"interface not offered", CLSID_TestThing, nullptr, 0x17, __uuidof(IDispatch), E_NOINTERFACE},
        {"aggregation", CLSID_TestThing, static_cast<ITestAlpha*>(&outer), 0x17, IID_IUnknown, CLASS_E_NOAGGREGATION},
    };
    for (const auto& c : cases) {
        IUnknown* object = reinterpret_cast<IUnknown*>(1);
        EXPECT_EQ(CoCreateInstance(c.clsid, c.outer, c.context, c.iid, reinterpret_cast<void**>(&object)), c.expected)
            << c.what;
        EXPECT_EQ(object != nullptr, c.expected == S_OK) << c.what;
        if (c.expected == S_OK && object != nullptr)
            object->Release();
    }
    EXPECT_EQ(m_object.References(), 1u);

    CoRevokeClassObject(m_cookie);
    EXPECT_EQ(References(m_factory), 1u);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, 0x17, IID_IUnknown, &object), REGDB_E_CLASSNOTREG) << "revoked";
    ASSERT_EQ(CoRegisterClassObject(CLSID_TestThing, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie), S_OK);
}

TEST_F(ComRuntimeTest, SmartPointerCreationRunsTheObjectForServerContexts)
{
    ITestAlphaPtr alpha;
    EXPECT_EQ(alpha.CreateInstance(CLSID_TestThing, nullptr, 0x17), S_OK);
    EXPECT_TRUE(alpha);
    EXPECT_EQ(m_object.m_runs, 1); // CLSCTX_ALL includes a local server: created, run, then queried
    ITestAlphaPtr inproc;
    EXPECT_EQ(inproc.CreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER), S_OK);
    EXPECT_EQ(m_object.m_runs, 1);
}

TEST_F(ComRuntimeTest, OleRunSucceedsWithoutIRunnableObject)
{
    m_object.m_offerRunnable = false;
    EXPECT_EQ(OleRun(static_cast<ITestAlpha*>(&m_object)), S_OK);
    EXPECT_EQ(m_object.m_runs, 0);
    m_object.m_offerRunnable = true;
    EXPECT_EQ(OleRun(static_cast<ITestAlpha*>(&m_object)), S_OK);
    EXPECT_EQ(m_object.m_runs, 1);
}

TEST(ComRuntime, CreationNeedsCoInitialize)
{
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, 0x17, IID_IUnknown, &object), CO_E_NOTINITIALIZED);
}

TEST(GuidText, RoundTripsInBracedUpperCaseForm)
{
    wchar_t text[39];
    EXPECT_EQ(StringFromGUID2(CLSID_TestThing, text, 39), 39);
    EXPECT_STREQ(text, L"{0D1B4C6E-2222-4A5B-9C8D-000000000001}");
    CLSID parsed;
    EXPECT_EQ(CLSIDFromString(L"{0d1b4c6e-2222-4a5b-9c8d-000000000001}", &parsed), S_OK);
    EXPECT_TRUE(parsed == CLSID_TestThing);
    EXPECT_EQ(CLSIDFromString(L"Some.ProgId", &parsed), CO_E_CLASSSTRING);
    EXPECT_EQ(StringFromGUID2(CLSID_TestThing, text, 38), 0);
}

TEST(TaskMemory, AllocatorsAgree)
{
    IMalloc* malloc = nullptr;
    ASSERT_EQ(CoGetMalloc(1, &malloc), S_OK);
    void* block = CoTaskMemAlloc(16);
    ASSERT_NE(block, nullptr);
    block = malloc->Realloc(block, 64);
    EXPECT_GE(malloc->GetSize(block), 64u);
    malloc->Free(block);
    malloc->Release();
}

} // namespace
