// The error service: a reporter shows its list as one "error_report" event, and the client's
// pending errors come out as records that the object collection reads.
#include <gtest/gtest.h>

#include <win32host/Trace.h>

#include "ClientTestFolder.h"

namespace {

template <class I>
I* Create(REFCLSID clsid)
{
    I* p = nullptr;
    EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, 0x17, __uuidof(I), reinterpret_cast<void**>(&p)));
    return p;
}

IQvErrorRecord* MakeRecord(HRESULT hrCode, const wchar_t* pszLocation)
{
    IQvErrorRecord* pRecord = Create<IQvErrorRecord>(CLSID_QvErrorRecord);
    pRecord->SetCode(hrCode);
    pRecord->SetLocation(pszLocation);
    pRecord->SetFlag(0);
    return pRecord;
}

class ErrorServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_folder.OpenClient()); }
    ClientTestFolder m_folder;
};

TEST_F(ErrorServiceTest, ANewReporterHasNoListUntilOneIsCreated)
{
    IQvErrorReporter* pReporter = Create<IQvErrorReporter>(CLSID_QvErrorReporter);
    IQvErrorList* pList = reinterpret_cast<IQvErrorList*>(1);
    pReporter->GetErrorList(&pList);
    EXPECT_EQ(nullptr, pList);
    ASSERT_EQ(S_OK, pReporter->CreateErrorList(&pList));
    ASSERT_NE(nullptr, pList);
    IQvErrorList* pSame = nullptr;
    ASSERT_EQ(S_OK, pReporter->GetErrorList(&pSame));
    EXPECT_EQ(pList, pSame);
    pSame->Release();
    pList->Release();
    pReporter->Release();
}

TEST_F(ErrorServiceTest, ShowErrorsReportsCodesLocationsAndStyle)
{
    win32host::TraceRecorder trace;
    IQvErrorReporter* pReporter = Create<IQvErrorReporter>(CLSID_QvErrorReporter);
    IQvErrorList* pList = nullptr;
    ASSERT_EQ(S_OK, pReporter->CreateErrorList(&pList));
    IQvErrorRecord* pFirst = MakeRecord(static_cast<HRESULT>(0x80004005), L"DocumentSelectDlg:975");
    IQvErrorRecord* pSecond = MakeRecord(static_cast<HRESULT>(0x00000001), L"DocumentSelectDlg:980");
    EXPECT_EQ(S_OK, pList->AddRecord(pFirst));
    EXPECT_EQ(S_OK, pList->AddRecord(pSecond));
    EXPECT_TRUE(FAILED(pList->AddRecord(nullptr)));
    EXPECT_EQ(S_OK, pList->SetIconStyle(48));
    INT nResult = 0;
    EXPECT_EQ(S_OK, pReporter->ShowErrors(&nResult));

    const auto reports = trace.OfKind("error_report");
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ("48", reports[0].Get("style"));
    EXPECT_EQ("2", reports[0].Get("count"));
    EXPECT_EQ("80004005,00000001", reports[0].Get("codes"));
    EXPECT_EQ("DocumentSelectDlg:975,DocumentSelectDlg:980", reports[0].Get("locations"));

    // A cleared list shows nothing.
    EXPECT_EQ(S_OK, pList->Clear());
    pReporter->ShowErrors(&nResult);
    EXPECT_EQ(1u, trace.OfKind("error_report").size());
    EXPECT_EQ(1u, trace.Events().size());

    pFirst->Release();
    pSecond->Release();
    pList->Release();
    pReporter->Release();
}

TEST_F(ErrorServiceTest, PendingErrorsComeOutAsRecordsInOrderAndCanBeCleared)
{
    IQvPendingErrors* pPending = Create<IQvPendingErrors>(CLSID_QvPendingErrors);
    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, pPending->GetErrors(&var));
    EXPECT_EQ(VT_EMPTY, var.vt);

    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x83250002), L"Vault:12");
    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x80070005), L"Vault:40");
    ASSERT_EQ(S_OK, pPending->GetErrors(&var));
    ASSERT_EQ(VT_ARRAY | VT_UNKNOWN, var.vt);

    IQvObjectCollection* pCollection = Create<IQvObjectCollection>(CLSID_QvObjectCollection);
    ASSERT_EQ(S_OK, pCollection->SetVariant(&var));
    ULONG nCount = 0;
    ASSERT_EQ(S_OK, pCollection->GetCount(&nCount));
    ASSERT_EQ(2u, nCount);
    IUnknown* pLast = nullptr;
    ASSERT_EQ(S_OK, pCollection->GetItem(nCount - 1, &pLast));
    IQvErrorRecord* pRecord = nullptr;
    ASSERT_EQ(S_OK, pLast->QueryInterface(__uuidof(IQvErrorRecord), reinterpret_cast<void**>(&pRecord)));
    HRESULT hrCode = S_OK;
    ASSERT_EQ(S_OK, pRecord->GetCode(&hrCode));
    EXPECT_EQ(static_cast<HRESULT>(0x80070005), hrCode);

    // The client's own errors shown through a reporter's list.
    win32host::TraceRecorder trace;
    IQvErrorReporter* pReporter = Create<IQvErrorReporter>(CLSID_QvErrorReporter);
    IQvErrorList* pList = nullptr;
    ASSERT_EQ(S_OK, pReporter->CreateErrorList(&pList));
    ASSERT_EQ(S_OK, pList->AddFromVariant(&var));
    INT nResult = 0;
    pReporter->ShowErrors(&nResult);
    ASSERT_EQ(1u, trace.OfKind("error_report").size());
    EXPECT_EQ("83250002,80070005", trace.OfKind("error_report")[0].Get("codes"));
    EXPECT_EQ("Vault:12,Vault:40", trace.OfKind("error_report")[0].Get("locations"));
    EXPECT_EQ("16", trace.OfKind("error_report")[0].Get("style"));

    EXPECT_EQ(S_OK, pPending->ClearErrors());
    EXPECT_TRUE(m_folder.Client().GetPendingErrors().empty());
    VariantClear(&var);
    ASSERT_EQ(S_OK, pPending->GetErrors(&var));
    EXPECT_EQ(VT_EMPTY, var.vt);

    pList->Release();
    pReporter->Release();
    pRecord->Release();
    pLast->Release();
    pCollection->Release();
    pPending->Release();
}

} // namespace
