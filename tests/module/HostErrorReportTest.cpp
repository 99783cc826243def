// Reports to the client's error service.
#include <gtest/gtest.h>

#include "ClientFolder.h"
#include "TraceFields.h"
#include "manager/HostErrorReport.h"

using namespace viztest;

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
        int line;
        const char* shown; // style, codes, locations
        size_t pendingLeft;
    } cases[] = {
        {"plain", false, {}, 1136, "48 80070005 DocumentSelectDlg:1136", 0},
        {"plain, pending errors ignored", false, {E_ACCESSDENIED}, 980, "48 80070005 DocumentSelectDlg:980", 1},
        {"chained, nothing pending", true, {}, 995, "16 80070005 DocumentSelectDlg:995", 0},
        {"chained, pending ending with the code", true, {E_OUTOFMEMORY, E_ACCESSDENIED}, 1002,
            "16 8007000E,80070005 client,client", 0},
        {"chained, pending ending with another code", true, {E_ACCESSDENIED, E_OUTOFMEMORY}, 1002,
            "16 80070005 DocumentSelectDlg:1002", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClientFolder client;
        ASSERT_EQ(S_OK, client.Open());
        for (HRESULT code : c.pending)
            client.Client().AddPendingError(code, L"client");
        winenv::TraceRecorder trace;
        ReportHostError(E_FAIL, 975, 48); // an earlier report
        if (c.chained)
            ReportHostErrorChained(E_ACCESSDENIED, c.line);
        else
            ReportHostError(E_ACCESSDENIED, c.line, 48);
        EXPECT_EQ((std::vector<std::string>{"48 80004005 DocumentSelectDlg:975", c.shown}),
            viztest::TraceFields(trace, "error_report", {"style", "codes", "locations"}));
        EXPECT_EQ(c.pendingLeft, client.Client().GetPendingErrors().size());
    }
}

TEST(ReportHostError, SilentCodesShowNothing)
{
    ClientFolder client;
    ASSERT_EQ(S_OK, client.Open());
    client.Client().AddPendingError(kSilent[0], L"client");
    winenv::TraceRecorder trace;
    for (HRESULT code : kSilent) {
        ReportHostError(code, 975, 48);
        ReportHostErrorChained(code, 995);
    }
    EXPECT_TRUE(trace.OfKind("error_report").empty());
    EXPECT_EQ(1u, client.Client().GetPendingErrors().size());
}

TEST(ReportHostError, NoReporterNoReport)
{
    // Nothing registered: nothing to show, nothing raised.
    EXPECT_NO_THROW(ReportHostError(E_FAIL, 975, 48));
    EXPECT_NO_THROW(ReportHostErrorChained(E_FAIL, 995));
}

} // namespace
