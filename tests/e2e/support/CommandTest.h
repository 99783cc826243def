// What the end-to-end command tests share: the module loaded by name, a client on a fixture
// folder, the scripted person at the desktop, the trace, and running one export on a context
// with a check that it hands back every reference it took.
#pragma once

#include <string>
#include <vector>

#include <QvInterfaces.h>

#include "ClientSetup.h"
#include "ClientTest.h"
#include "ModuleExports.h"

namespace e2e {

using viztest::HrText;
using viztest::LightFiles;

class CommandTest : public viztest::ClientTest<ClientSetup> {
protected:
    void SetUp() override;

    ClientSetup& Client() { return m_folder; }

    qvclient::DocumentFixture Document(const std::wstring& className, const LightFiles& files)
    {
        return AddDocument(className, className + L" document", files);
    }
    // A "pdf" file is a real one-page PDF showing its name.
    std::string Content(const std::wstring& name, const std::wstring& type) override;

    // Contexts of the opened client for a selection.
    IQvUiContextPtr DocumentListContext(const wchar_t* className, LONG id);
    IQvUiContextPtr ProductTreeContext(const wchar_t* className, LONG id);
    IQvUiContextPtr WorkflowContext(LONG flowItemId);

    // Runs the export on the context as the person in `user`; every object reachable through
    // the context has the same reference count afterwards as before.
    HRESULT Run(PFN_UiCommand command, IQvUiContext* pContext);

    // Every SQL text the module ran, in order.
    std::vector<std::string> Sql() const { return EventFields("sql", {"text"}); }
    // "method dispid path" of each viewer call.
    std::vector<std::string> ViewerCalls() const { return EventFields("viewer", {"method", "dispid", "path"}); }

private:
    IQvUiContextPtr Context(HRESULT (*make)(IQvOtlObject*, IQvUiContext**, HWND), const wchar_t* className, LONG id);
};

} // namespace e2e
