// The SDK wrappers where the real client cannot take them (the client's own tests reach the
// client through them): without a client, and on an object that counts its references.
#include <gtest/gtest.h>

#include "ComRef.h"
#include "ZORMetaWrapper.h"
#include "ZORRTWrapper.h"
#include "ZORUIWait.h"
#include "ClassRegistration.h"
#include <comkit/ComObject.h>

namespace {

class FakeObject : public comkit::ComObject<IQvOtlObject, IObjectIdentity> {
public:
    HRESULT m_hrRawCreate = S_OK;
    LONG m_nID = 0;

    STDMETHODIMP GetObjectClassName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectID(LONG* pl) override
    {
        *pl = m_nID;
        return S_OK;
    }
    STDMETHODIMP GetPropertyValue(BSTR, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP RawCreate(BSTR) override { return m_hrRawCreate; }
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

TEST(SdkObjectRefTest, CopiesHoldTheirOwnReferenceAndAFailedRawCreateLeavesNone)
{
    FakeObject* pCreated = nullptr;
    HRESULT hrRawCreate = S_OK;
    const viztest::ClassRegistration registration(CLSID_QvOtlObject, [&](REFIID riid, void** ppv) {
        pCreated = new FakeObject();
        pCreated->m_hrRawCreate = hrRawCreate;
        pCreated->AddRef();
        const HRESULT hr = pCreated->QueryInterface(riid, ppv);
        pCreated->Release();
        return hr;
    });
    COtlObjectRef ref;
    ASSERT_EQ(S_OK, ref.RawCreate(L"LightFile"));
    EXPECT_EQ(S_OK, ref.SetID(4711));
    EXPECT_EQ(4711u, ref.GetID());
    const ULONG nBefore = pCreated->References();
    {
        COtlObjectRef copy(ref);
        COtlObjectRef assigned;
        assigned = copy;
        EXPECT_EQ(nBefore + 2, pCreated->References());
    }
    EXPECT_EQ(nBefore, pCreated->References());

    hrRawCreate = E_INVALIDARG;
    COtlObjectRef failed;
    EXPECT_EQ(E_INVALIDARG, failed.RawCreate(L"Nothing"));
    EXPECT_EQ(nullptr, failed.GetOtlObject());
}

} // namespace
