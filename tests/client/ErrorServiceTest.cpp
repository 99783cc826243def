// The error service's reporter and its list; what a report shows and the pending errors are
// checked where the module reports through them.
#include <gtest/gtest.h>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "TraceFields.h"

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

// A new reporter has no list until one is created; the list refuses a null record and, cleared,
// shows nothing (the module's reports check what a list shows).
TEST_F(ErrorServiceTest, ANewReporterHasNoListUntilOneIsCreated)
{
    winenv::TraceRecorder trace;
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

    const IQvErrorListPtr& list = created;
    EXPECT_TRUE(FAILED(list->AddRecord(nullptr)));
    EXPECT_EQ(S_OK, list->AddRecord(MakeRecord(static_cast<HRESULT>(0x80004005), L"DocumentSelectDlg:975")));
    EXPECT_EQ(S_OK, list->Clear());
    INT nResult = 0;
    EXPECT_EQ(S_FALSE, reporter->ShowErrors(&nResult));
    EXPECT_TRUE(trace.OfKind("error_report").empty());
}

TEST_F(ErrorServiceTest, PendingErrorsOfTheClientComeOutAsRecordsUntilCleared)
{
    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x83250002), L"Vault:12");
    m_folder.Client().AddPendingError(static_cast<HRESULT>(0x80070005), L"Vault:40");
    IQvPendingErrorsPtr pending(CLSID_QvPendingErrors);
    _variant_t errors;
    ASSERT_EQ(S_OK, pending->GetErrors(&errors));
    winenv::TraceRecorder trace;
    IQvErrorReporterPtr reporter(CLSID_QvErrorReporter);
    IQvErrorListPtr list;
    ASSERT_EQ(S_OK, reporter->CreateErrorList(&list));
    ASSERT_EQ(S_OK, list->AddFromVariant(&errors));
    reporter->ShowErrors(nullptr);
    EXPECT_EQ(std::vector<std::string>{"83250002,80070005 Vault:12,Vault:40"},
        viztest::TraceFields(trace, "error_report", {"codes", "locations"}));
    EXPECT_EQ(S_OK, pending->ClearErrors());
    EXPECT_TRUE(m_folder.Client().GetPendingErrors().empty());
}

} // namespace
