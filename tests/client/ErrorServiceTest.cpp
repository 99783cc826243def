// The error service: a reporter shows its list as one "error_report" event, and the client's
// pending errors come out as records that the object collection reads.
#include <gtest/gtest.h>

#include <win32host/Trace.h>

#include "ClientFolder.h"

namespace {

IQvErrorRecordPtr MakeRecord(HRESULT hrCode, const wchar_t* pszLocation)
{
    IQvErrorRecordPtr record(CLSID_QvErrorRecord);
    record->SetCode(hrCode);
    record->SetLocation(pszLocation);
    record->SetFlag(0);
    return record;
}

class ErrorServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_folder.Open()); }
    viztest::ClientFolder m_folder;
};

TEST_F(ErrorServiceTest, ANewReporterHasNoListUntilOneIsCreated)
{
    IQvErrorReporterPtr reporter(CLSID_QvErrorReporter);
    IQvErrorList* pList = reinterpret_cast<IQvErrorList*>(1);
    reporter->GetErrorList(&pList);
    EXPECT_EQ(nullptr, pList);
    IQvErrorListPtr created;
    ASSERT_EQ(S_OK, reporter->CreateErrorList(&created));
    ASSERT_TRUE(created);
    IQvErrorListPtr same;
    ASSERT_EQ(S_OK, reporter->GetErrorList(&same));
    EXPECT_EQ(created, same);
}

TEST_F(ErrorServiceTest, ShowErrorsReportsCodesLocationsAndStyle)
{
    win32host::TraceRecorder trace;
    IQvErrorReporterPtr reporter(CLSID_QvErrorReporter);
    IQvErrorListPtr list;
    ASSERT_EQ(S_OK, reporter->CreateErrorList(&list));
    EXPECT_EQ(S_OK, list->AddRecord(MakeRecord(static_cast<HRESULT>(0x80004005), L"DocumentSelectDlg:975")));
    EXPECT_EQ(S_OK, list->AddRecord(MakeRecord(static_cast<HRESULT>(0x00000001), L"DocumentSelectDlg:980")));
    EXPECT_TRUE(FAILED(list->AddRecord(nullptr)));
    EXPECT_EQ(S_OK, list->SetIconStyle(48));
    INT nResult = 0;
    EXPECT_EQ(S_OK, reporter->ShowErrors(&nResult));

    const auto reports = trace.OfKind("error_report");
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ("48", reports[0].Get("style"));
    EXPECT_EQ("2", reports[0].Get("count"));
    EXPECT_EQ("80004005,00000001", reports[0].Get("codes"));
    EXPECT_EQ("DocumentSelectDlg:975,DocumentSelectDlg:980", reports[0].Get("locations"));

    // A cleared list shows nothing.
    EXPECT_EQ(S_OK, list->Clear());
    reporter->ShowErrors(&nResult);
    EXPECT_EQ(1u, trace.Events().size());
}

TEST_F(ErrorServiceTest, PendingErrorsComeOutAsRecordsInOrderAndCanBeCleared)
{
    IQvPendingErrorsPtr pending(CLSID_QvPendingErrors);
    _variant_t errors;
    ASSERT_EQ(S_OK, pending->GetErrors(&errors));
    EXPECT_EQ(VT_EMPTY, errors.vt);

    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x83250002), L"Vault:12");
    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x80070005), L"Vault:40");
    ASSERT_EQ(S_OK, pending->GetErrors(&errors));
    ASSERT_EQ(VT_ARRAY | VT_UNKNOWN, errors.vt);

    IQvObjectCollectionPtr collection(CLSID_QvObjectCollection);
    ASSERT_EQ(S_OK, collection->SetVariant(&errors));
    ULONG nCount = 0;
    ASSERT_EQ(S_OK, collection->GetCount(&nCount));
    ASSERT_EQ(2u, nCount);
    IUnknownPtr last;
    ASSERT_EQ(S_OK, collection->GetItem(nCount - 1, &last));
    IQvErrorRecordPtr record(last);
    ASSERT_TRUE(record);
    HRESULT hrCode = S_OK;
    ASSERT_EQ(S_OK, record->GetCode(&hrCode));
    EXPECT_EQ(static_cast<HRESULT>(0x80070005), hrCode);

    // The client's own errors shown through a reporter's list.
    win32host::TraceRecorder trace;
    IQvErrorReporterPtr reporter(CLSID_QvErrorReporter);
    IQvErrorListPtr list;
    ASSERT_EQ(S_OK, reporter->CreateErrorList(&list));
    ASSERT_EQ(S_OK, list->AddFromVariant(&errors));
    INT nResult = 0;
    reporter->ShowErrors(&nResult);
    const auto reports = trace.OfKind("error_report");
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ("83250002,80070005", reports[0].Get("codes"));
    EXPECT_EQ("Vault:12,Vault:40", reports[0].Get("locations"));
    EXPECT_EQ("16", reports[0].Get("style"));

    EXPECT_EQ(S_OK, pending->ClearErrors());
    EXPECT_TRUE(m_folder.Client().GetPendingErrors().empty());
    errors.Clear();
    ASSERT_EQ(S_OK, pending->GetErrors(&errors));
    EXPECT_EQ(VT_EMPTY, errors.vt);
}

} // namespace
