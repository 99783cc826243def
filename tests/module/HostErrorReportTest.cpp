// Reports to the client's error service.
#include <gtest/gtest.h>

#include "FakeErrorService.h"
#include "manager/HostErrorReport.h"

using namespace moduletest;

namespace {

const HRESULT kSilent[] = {static_cast<HRESULT>(0x83080132), static_cast<HRESULT>(0x83070101),
    static_cast<HRESULT>(0x83250001)};

// A report shows one record of its own, whatever was reported before; the chained one shows
// the client's pending errors instead when they end with the code, and clears them either way.
TEST(ReportHostError, WhatIsShown)
{
    const struct {
        const char* name;
        bool chained;
        std::vector<HRESULT> pending;
        HRESULT code;
        int line;
        std::vector<HRESULT> shownPending; // empty: one record of the code at the line
        int iconStyle;
        int clears;
    } cases[] = {
        {"plain", false, {}, E_ACCESSDENIED, 1136, {}, 48, 0},
        {"plain, pending errors ignored", false, {E_ACCESSDENIED}, E_ACCESSDENIED, 980, {}, 48, 0},
        {"chained, nothing pending", true, {}, E_ACCESSDENIED, 995, {}, 16, 1},
        {"chained, pending ending with the code", true, {E_OUTOFMEMORY, E_ACCESSDENIED}, E_ACCESSDENIED, 1002,
            {E_OUTOFMEMORY, E_ACCESSDENIED}, 0, 1},
        {"chained, pending ending with another code", true, {E_ACCESSDENIED, E_OUTOFMEMORY}, E_ACCESSDENIED, 1002, {},
            16, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeErrorService errors;
        errors.pending = c.pending;
        ReportHostError(E_FAIL, 975, 48); // an earlier report
        if (c.chained)
            ReportHostErrorChained(c.code, c.line);
        else
            ReportHostError(c.code, c.line, 48);
        ASSERT_EQ(2u, errors.shown.size());
        const ShownErrors& shown = errors.shown[1];
        EXPECT_EQ(c.shownPending, shown.pending);
        if (c.shownPending.empty()) {
            ASSERT_EQ(1u, shown.records.size());
            EXPECT_EQ(c.code, shown.records[0].code);
            EXPECT_EQ(L"DocumentSelectDlg:" + std::to_wstring(c.line), shown.records[0].location);
            EXPECT_EQ(0, shown.records[0].flag);
        } else {
            EXPECT_TRUE(shown.records.empty());
        }
        EXPECT_EQ(c.iconStyle, shown.iconStyle);
        EXPECT_EQ(c.clears, errors.clearErrorsCalls);
    }
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

TEST(ReportHostError, NoReporterNoReport)
{
    // Nothing registered: nothing to show, nothing raised.
    EXPECT_NO_THROW(ReportHostError(E_FAIL, 975, 48));
    EXPECT_NO_THROW(ReportHostErrorChained(E_FAIL, 995));
}

} // namespace
