// Reports to the client's error service.
#include <gtest/gtest.h>

#include "FakeErrorService.h"
#include "manager/HostErrorReport.h"

using namespace moduletest;

namespace {

const HRESULT kSilent[] = {static_cast<HRESULT>(0x83080132), static_cast<HRESULT>(0x83070101),
    static_cast<HRESULT>(0x83250001)};

TEST(ReportHostError, ShowsOneRecordWithLocationAndStyle)
{
    FakeErrorService errors;
    ReportHostError(E_ACCESSDENIED, 1136, 48);
    ASSERT_EQ(1u, errors.shown.size());
    ASSERT_EQ(1u, errors.shown[0].records.size());
    EXPECT_EQ(E_ACCESSDENIED, errors.shown[0].records[0].code);
    EXPECT_EQ(L"DocumentSelectDlg:1136", errors.shown[0].records[0].location);
    EXPECT_EQ(0, errors.shown[0].records[0].flag);
    EXPECT_EQ(48, errors.shown[0].iconStyle);
    EXPECT_TRUE(errors.shown[0].pending.empty());
}

TEST(ReportHostError, ReportsStartFromAnEmptyList)
{
    FakeErrorService errors;
    ReportHostError(E_FAIL, 975, 48);
    ReportHostError(E_ACCESSDENIED, 980, 48);
    ASSERT_EQ(2u, errors.shown.size());
    ASSERT_EQ(1u, errors.shown[1].records.size());
    EXPECT_EQ(L"DocumentSelectDlg:980", errors.shown[1].records[0].location);
}

TEST(ReportHostError, SilentCodesShowNothing)
{
    FakeErrorService errors;
    errors.pending = {kSilent[0]};
    for (HRESULT code : kSilent) {
        ReportHostError(code, 975, 48);
        ReportHostErrorChained(code, 995);
    }
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ(0, errors.clearErrorsCalls);
}

TEST(ReportHostErrorChained, WithoutPendingErrorsReportsTheCode)
{
    FakeErrorService errors;
    ReportHostErrorChained(E_ACCESSDENIED, 995);
    ASSERT_EQ(1u, errors.shown.size());
    ASSERT_EQ(1u, errors.shown[0].records.size());
    EXPECT_EQ(E_ACCESSDENIED, errors.shown[0].records[0].code);
    EXPECT_EQ(L"DocumentSelectDlg:995", errors.shown[0].records[0].location);
    EXPECT_EQ(16, errors.shown[0].iconStyle);
}

TEST(ReportHostErrorChained, PendingErrorsEndingWithTheCodeAreShownInstead)
{
    FakeErrorService errors;
    errors.pending = {E_OUTOFMEMORY, E_ACCESSDENIED};
    ReportHostErrorChained(E_ACCESSDENIED, 1002);
    ASSERT_EQ(1u, errors.shown.size());
    EXPECT_TRUE(errors.shown[0].records.empty());
    EXPECT_EQ((std::vector<HRESULT>{E_OUTOFMEMORY, E_ACCESSDENIED}), errors.shown[0].pending);
    EXPECT_EQ(1, errors.clearErrorsCalls);
    EXPECT_TRUE(errors.pending.empty());
}

TEST(ReportHostErrorChained, PendingErrorsEndingWithAnotherCodeAreDropped)
{
    FakeErrorService errors;
    errors.pending = {E_ACCESSDENIED, E_OUTOFMEMORY};
    ReportHostErrorChained(E_ACCESSDENIED, 1002);
    ASSERT_EQ(1u, errors.shown.size());
    EXPECT_TRUE(errors.shown[0].pending.empty());
    ASSERT_EQ(1u, errors.shown[0].records.size());
    EXPECT_EQ(E_ACCESSDENIED, errors.shown[0].records[0].code);
    EXPECT_EQ(L"DocumentSelectDlg:1002", errors.shown[0].records[0].location);
    EXPECT_EQ(16, errors.shown[0].iconStyle);
    EXPECT_EQ(1, errors.clearErrorsCalls);
}

TEST(ReportHostError, NoReporterNoReport)
{
    // Nothing registered: nothing to show, nothing raised.
    EXPECT_NO_THROW(ReportHostError(E_FAIL, 975, 48));
    EXPECT_NO_THROW(ReportHostErrorChained(E_FAIL, 995));
}

} // namespace
