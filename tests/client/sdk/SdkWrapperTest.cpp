// The SDK wrappers against fakes registered under the client's class ids: what they pass to the
// client, what they hand back, and how they fail when the client is not there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComRef.h"
#include "ZORMetaWrapper.h"
#include "ZORRTWrapper.h"
#include "ZORUIWait.h"
#include <comkit/ClassFactory.h>
#include "com/UnknownArray.h"
#include "ClassRegistration.h"

namespace {

using Registration = viztest::ClassRegistration;

template <class T>
comkit::InstanceMaker MakerOf(T* pShared)
{
    return [pShared](REFIID riid, void** ppv) { return pShared->QueryInterface(riid, ppv); };
}

std::wstring Text(BSTR bstr)
{
    return bstr != nullptr ? std::wstring(bstr) : std::wstring();
}

class FakeObject : public comkit::ComObject<IQvOtlObject, IObjectIdentity> {
public:
    std::wstring m_strClass;
    LONG m_nID = 0;
    std::vector<IUnknown*> m_related;
    std::vector<IUnknown*> m_links;
    HRESULT m_hrRawCreate = S_OK;

    STDMETHODIMP GetObjectClassName(BSTR* pbstr) override
    {
        *pbstr = SysAllocString(m_strClass.c_str());
        return S_OK;
    }
    STDMETHODIMP GetObjectID(LONG* pl) override
    {
        *pl = m_nID;
        return S_OK;
    }
    STDMETHODIMP GetPropertyValue(BSTR bstrName, VARIANT* pvar) override
    {
        pvar->vt = VT_BSTR;
        pvar->bstrVal = SysAllocString((L"value of " + Text(bstrName)).c_str());
        return S_OK;
    }
    STDMETHODIMP GetRelatedObjects(BSTR bstrRelation, LONG nDirection, VARIANT* pvarObjects, VARIANT* pvarLinks) override
    {
        if (Text(bstrRelation) != L"Rel" || nDirection != 1)
            return E_INVALIDARG;
        qvclient::MakeUnknownArray(m_related, pvarObjects);
        return qvclient::MakeUnknownArray(m_links, pvarLinks);
    }
    STDMETHODIMP RawCreate(BSTR bstrClass) override
    {
        m_strClass = Text(bstrClass);
        return m_hrRawCreate;
    }
    STDMETHODIMP SetObjectID(LONG l) override
    {
        m_nID = l;
        return S_OK;
    }
    ULONG References()
    {
        AddRef();
        return Release();
    }
};

class FakeSystem : public comkit::ComObject<IQvPlmSystem> {
public:
    HRESULT m_hrTransaction = static_cast<HRESULT>(0x83070101);
    std::wstring m_strLastName;
    IQvOtlObject* m_pLastObject = nullptr;
    std::wstring m_strLastBehavior;
    std::wstring m_strLastMethod;

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** pp) override
    {
        *pp = nullptr;
        return m_hrTransaction;
    }
    STDMETHODIMP GetGlobalParam(BSTR bstrName, LONG* pl) override
    {
        m_strLastName = Text(bstrName);
        if (m_strLastName == L"MISSING")
            return E_INVALIDARG;
        *pl = 5;
        return S_OK;
    }
    STDMETHODIMP GetSystemTempPath(BSTR* pbstr) override
    {
        *pbstr = SysAllocString(L"C:\\PLM\\Temp");
        return S_OK;
    }
    STDMETHODIMP GetSystemConfigPath(BSTR*) override { return E_ACCESSDENIED; }
    STDMETHODIMP CheckObjectBehaviorMethod(IQvOtlObject* pObject, BSTR bstrBehavior, BSTR bstrMethod, SHORT* pb) override
    {
        m_pLastObject = pObject;
        m_strLastBehavior = Text(bstrBehavior);
        m_strLastMethod = Text(bstrMethod);
        *pb = 1;
        return S_FALSE;
    }
    STDMETHODIMP IsDescendentOrSelfClass(BSTR bstrBase, BSTR bstrClass, INT* pb) override
    {
        *pb = Text(bstrBase) == L"Document" && Text(bstrClass) == L"Special" ? 1 : 0;
        return S_OK;
    }
};

class FakeWait : public comkit::ComObject<IQvWaitWindow> {
public:
    std::vector<std::wstring> m_calls;
    STDMETHODIMP Init(BSTR bstrCaption, LONG nLower, LONG nUpper, SHORT nStep, LONG nFlags) override
    {
        m_calls.push_back(L"Init " + Text(bstrCaption) + L" " + std::to_wstring(nLower) + L" " +
            std::to_wstring(nUpper) + L" " + std::to_wstring(nStep) + L" " + std::to_wstring(nFlags));
        return S_OK;
    }
    STDMETHODIMP BeginWait(HWND, LPCWSTR) override
    {
        m_calls.push_back(L"BeginWait");
        return S_OK;
    }
    STDMETHODIMP Step() override
    {
        m_calls.push_back(L"Step");
        return S_OK;
    }
    STDMETHODIMP EndWait() override
    {
        m_calls.push_back(L"EndWait");
        return S_OK;
    }
};

template <class T>
T* NewHeld()
{
    T* p = new T();
    p->AddRef();
    return p;
}

// Each creation makes a new object whose RawCreate gives hrRawCreate; *ppCreated is the last one.
comkit::InstanceMaker NewObjects(FakeObject** ppCreated, HRESULT hrRawCreate)
{
    return [ppCreated, hrRawCreate](REFIID riid, void** ppv) {
        *ppCreated = NewHeld<FakeObject>();
        (*ppCreated)->m_hrRawCreate = hrRawCreate;
        const HRESULT hr = (*ppCreated)->QueryInterface(riid, ppv);
        (*ppCreated)->Release();
        return hr;
    };
}

TEST(SdkWithoutClientTest, EveryWrapperFailsCleanly)
{
    CPlmSystemRef system;
    EXPECT_TRUE(FAILED(system.Create()));
    IQvCslTransaction* pTransaction = reinterpret_cast<IQvCslTransaction*>(1);
    EXPECT_TRUE(FAILED(system.GetCurTransaction(&pTransaction)));
    EXPECT_EQ(nullptr, pTransaction);
    int nValue = 3;
    EXPECT_TRUE(FAILED(system.GetZORGlobalParam(L"X", &nValue)));
    EXPECT_EQ(3, nValue);

    CString strPath(L"unchanged");
    EXPECT_TRUE(FAILED(CSystemPathHelper::GetSystemTempPath(strPath)));
    EXPECT_STREQ(L"unchanged", strPath.GetString());
    short bAllowed = 1;
    EXPECT_TRUE(FAILED(CSecurityHelper::CheckObjectBehaviorMethod(nullptr, L"Documentation", L"OutputFile", &bAllowed)));
    EXPECT_EQ(0, bAllowed);
    int bResult = 1;
    EXPECT_TRUE(FAILED(CMetaClassRef::IsDescendentOrSelfClass(L"Document", L"Drawing", &bResult)));
    EXPECT_EQ(0, bResult);

    COtlObjectRef ref;
    EXPECT_TRUE(FAILED(ref.RawCreate(L"LightFile")));
    EXPECT_EQ(E_POINTER, ref.SetID(3));
    EXPECT_EQ(0u, ref.GetID());

    CPlmWait wait(L"caption", 0, 2, 1, 0);
    EXPECT_EQ(E_POINTER, wait.BeginWait(nullptr, nullptr));
    EXPECT_EQ(E_POINTER, wait.Step());
}

TEST(SdkSystemTest, WrappersPassArgumentsAndResultsThrough)
{
    FakeSystem* pFake = NewHeld<FakeSystem>();
    {
        Registration registration(CLSID_QvPlmSystem, MakerOf(pFake));
        CPlmSystemRef system;
        ASSERT_EQ(S_OK, system.Create());
        IQvCslTransaction* pTransaction = nullptr;
        EXPECT_EQ(static_cast<HRESULT>(0x83070101), system.GetCurTransaction(&pTransaction));
        int nValue = 0;
        EXPECT_EQ(S_OK, system.GetZORGlobalParam(L"NEEDWATER_DOWNLOADPDF", &nValue));
        EXPECT_EQ(5, nValue);
        EXPECT_EQ(L"NEEDWATER_DOWNLOADPDF", pFake->m_strLastName);
        nValue = 9;
        EXPECT_EQ(E_INVALIDARG, system.GetZORGlobalParam(L"MISSING", &nValue));
        EXPECT_EQ(9, nValue);

        CString strPath;
        EXPECT_EQ(S_OK, CSystemPathHelper::GetSystemTempPath(strPath));
        EXPECT_STREQ(L"C:\\PLM\\Temp", strPath.GetString());
        EXPECT_EQ(E_ACCESSDENIED, CSystemPathHelper::GetSystemConfigPath(strPath));

        FakeObject* pObject = NewHeld<FakeObject>();
        short bAllowed = 0;
        EXPECT_EQ(S_FALSE, CSecurityHelper::CheckObjectBehaviorMethod(pObject, L"Documentation", L"OutputFile", &bAllowed));
        EXPECT_EQ(1, bAllowed);
        EXPECT_EQ(static_cast<IQvOtlObject*>(pObject), pFake->m_pLastObject);
        EXPECT_EQ(L"Documentation", pFake->m_strLastBehavior);
        EXPECT_EQ(L"OutputFile", pFake->m_strLastMethod);
        pObject->Release();

        int bResult = 0;
        EXPECT_EQ(S_OK, CMetaClassRef::IsDescendentOrSelfClass(L"Document", L"Special", &bResult));
        EXPECT_EQ(1, bResult);
    }
    pFake->Release();
}

TEST(SdkObjectRefTest, RawCreateNamesTheClassAndSetIdGoesThroughTheIdentity)
{
    FakeObject* pCreated = nullptr;
    Registration registration(CLSID_QvOtlObject, NewObjects(&pCreated, S_OK));
    COtlObjectRef ref;
    ASSERT_EQ(S_OK, ref.RawCreate(L"LightFile"));
    ASSERT_NE(nullptr, pCreated);
    EXPECT_EQ(static_cast<IQvOtlObject*>(pCreated), ref.GetOtlObject());
    EXPECT_EQ(L"LightFile", pCreated->m_strClass);
    EXPECT_EQ(S_OK, ref.SetID(4711));
    EXPECT_EQ(4711, pCreated->m_nID);
    EXPECT_EQ(4711u, ref.GetID());

    // Copies share the object and hold their own reference.
    const ULONG nBefore = pCreated->References();
    {
        COtlObjectRef copy(ref);
        COtlObjectRef assigned;
        assigned = copy;
        EXPECT_EQ(nBefore + 2, pCreated->References());
    }
    EXPECT_EQ(nBefore, pCreated->References());

    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, ref.GetPropertyValue(L"name", &var));
    EXPECT_STREQ(L"value of name", var.bstrVal);
    VariantClear(&var);
}

TEST(SdkObjectRefTest, AFailingRawCreateLeavesTheReferenceEmpty)
{
    FakeObject* pCreated = nullptr;
    Registration registration(CLSID_QvOtlObject, NewObjects(&pCreated, E_INVALIDARG));
    COtlObjectRef ref;
    EXPECT_EQ(E_INVALIDARG, ref.RawCreate(L"Nothing"));
    EXPECT_EQ(nullptr, ref.GetOtlObject());
}

TEST(SdkObjectRefTest, RelatedObjectsBecomeNewReferencesInArrayOrder)
{
    FakeObject* pSource = NewHeld<FakeObject>();
    FakeObject* pChildren[2] = {NewHeld<FakeObject>(), NewHeld<FakeObject>()};
    FakeObject* pLinks[2] = {NewHeld<FakeObject>(), NewHeld<FakeObject>()};
    for (int i = 0; i < 2; ++i) {
        pChildren[i]->m_nID = 10 + i;
        pLinks[i]->m_nID = 20 + i;
        pSource->m_related.push_back(static_cast<IQvOtlObject*>(pChildren[i]));
        pSource->m_links.push_back(static_cast<IQvOtlObject*>(pLinks[i]));
    }
    {
        const COtlObjectRef ref(pSource);
        std::list<COtlObjectRef*> objects;
        std::list<COtlLinkRef*> links;
        ASSERT_EQ(S_OK, ref.GetRelatedObjects(L"Rel", 1, objects, links));
        ASSERT_EQ(2u, objects.size());
        ASSERT_EQ(2u, links.size());
        EXPECT_EQ(10u, objects.front()->GetID());
        EXPECT_EQ(11u, objects.back()->GetID());
        EXPECT_EQ(20u, links.front()->GetID());
        EXPECT_EQ(21u, links.back()->GetID());
        // The test holds one reference and each new object reference one more.
        EXPECT_EQ(2u, pChildren[0]->References());
        EXPECT_EQ(E_INVALIDARG, ref.GetRelatedObjects(L"Other", 1, objects, links));
        EXPECT_EQ(2u, objects.size());
        for (COtlObjectRef* p : objects)
            delete p;
        for (COtlLinkRef* p : links)
            delete p;
        EXPECT_EQ(1u, pChildren[0]->References());
    }
    pSource->m_related.clear();
    pSource->m_links.clear();
    for (FakeObject* p : {pSource, pChildren[0], pChildren[1], pLinks[0], pLinks[1]})
        EXPECT_EQ(0u, p->Release());
}

TEST(SdkWaitTest, TheWaitWindowIsInitialisedShownSteppedAndClosed)
{
    FakeWait* pFake = NewHeld<FakeWait>();
    {
        Registration registration(CLSID_QvWaitWindow, MakerOf(pFake));
        CPlmWait wait(L"正在导出...", 0, 4, -1, 0);
        EXPECT_EQ(S_OK, wait.BeginWait(nullptr, nullptr));
        EXPECT_EQ(S_OK, wait.Step());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Init 正在导出... 0 4 -1 0", L"BeginWait", L"Step", L"EndWait"}), pFake->m_calls);
    EXPECT_EQ(0u, pFake->Release());
}

} // namespace
