// What the end-to-end command tests share: the module loaded by name, a client on a fixture
// folder, the scripted person at the desktop, the trace, and running one export on a context
// with a check that it hands back every reference it took.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QvInterfaces.h>
#include <win32host/Trace.h>

#include "ClientSetup.h"
#include "ScriptedUser.h"
#include "ModuleExports.h"

namespace e2e {

// GoogleTest has no HRESULT assertions off Windows.
std::string HrText(HRESULT hr);

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override;

    qvclient::FixtureBuilder& Fixture() { return m_client.Fixture(); }
    ClientSetup& Client() { return m_client; }

    // A document of the class with one current revision whose light files are given as
    // (name, type); a "pdf" file is a real one-page PDF showing its name.
    qvclient::DocumentFixture Document(const std::wstring& className,
        const std::vector<std::pair<std::wstring, std::wstring>>& files);

    // Contexts of the opened client for a selection.
    IQvUiContextPtr DocumentListContext(const wchar_t* className, LONG id);
    IQvUiContextPtr ProductTreeContext(const wchar_t* className, LONG id);
    IQvUiContextPtr WorkflowContext(LONG flowItemId);

    // Runs the export on the context as the person in `user`; every object reachable through
    // the context has the same reference count afterwards as before.
    HRESULT Run(PFN_UiCommand command, IQvUiContext* pContext);

    std::vector<win32host::TraceEvent> Events(const std::string& kind) const { return trace.OfKind(kind); }
    // Every SQL text the module ran, in order.
    std::vector<std::string> Sql() const;
    // "method dispid path" of each viewer call.
    std::vector<std::string> ViewerCalls() const;

    viztest::ScriptedUser user;
    win32host::TraceRecorder trace;

private:
    IQvUiContextPtr Context(HRESULT (*make)(IQvOtlObject*, IQvUiContext**, HWND), const wchar_t* className, LONG id);

    ClientSetup m_client;
};

} // namespace e2e
