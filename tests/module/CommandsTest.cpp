// The exported commands on fakes of the client, for the failures the real client cannot give
// (the end-to-end tests run them on the real one).
#include <gtest/gtest.h>

#include <comdef.h>
#include <winenv/Desktop.h>
#include <winenv/Trace.h>

#include "FakeObjects.h"
#include "FakeUi.h"
#include "RaisedStatus.h"
#include "ScratchFolder.h"
#include "ScriptedUser.h"
#include "SystemInterposer.h"
#include "commands/Exports.h"

using namespace moduletest;
using namespace viztest;

namespace {

class DocListCommands : public testing::Test {
protected:
    DocListCommands() : m_userScope(m_user) {}
    void SetUp() override
    {
        m_doc = OpenListedDocument(m_client);
        ASSERT_NE(nullptr, m_doc);
        m_ui = std::make_unique<FakeListUi>(m_doc);
    }

    IQvUiContext* Context() { return m_ui->context.get(); }

    ClientFolder m_client;
    ScratchFolder m_out;
    IQvOtlObjectPtr m_doc;
    std::unique_ptr<FakeListUi> m_ui;
    ScriptedUser m_user;
    winenv::ScopedDesktopUser m_userScope;
    winenv::TraceRecorder m_trace;
};

TEST_F(DocListCommands, FailingSelectionIsReturned)
{
    m_ui->view->result = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, OnDocListViewLightFile(Context()));
    EXPECT_EQ(E_ACCESSDENIED, OnDocListDownLoadLightFile(Context()));
    EXPECT_TRUE(m_trace.OfKind("messagebox").empty());
}

TEST_F(DocListCommands, FailedDwgLookupIsReported)
{
    m_user.folders = {m_out.Windows()};
    SystemFaults faults;
    faults.transaction = E_ACCESSDENIED;
    faults.passingTransactions = 1;
    SystemInterposer system(m_client.Client(), faults);
    EXPECT_EQ(E_ACCESSDENIED, OnDocListDownLoadLightFile(Context()));
    EXPECT_EQ(std::vector<std::wstring>{L"下载Dwg文件失败！"}, m_user.MessageTexts());
}

class ManagerCommands : public testing::Test {
protected:
    ManagerCommands() : m_userScope(m_user) {}
    void SetUp() override { ASSERT_EQ(S_OK, m_client.Open()); }

    ClientFolder m_client;
    winenv::DefaultDesktopUser m_user;
    winenv::ScopedDesktopUser m_userScope;
    winenv::TraceRecorder m_trace;
    FakeRef<FakeUiContext> m_context = MakeFake<FakeUiContext>();
};

TEST_F(ManagerCommands, ProductTreeWithoutAViewOpensNothing)
{
    FakeRef<FakeUiWindow> commandWindow = MakeFake<FakeUiWindow>();
    m_context->commandWindow = commandWindow;
    EXPECT_EQ(S_OK, OutputLightFile(m_context.get()));
    EXPECT_TRUE(m_trace.OfKind("dialog").empty());
}

TEST_F(ManagerCommands, WorkflowFailuresOpenNothing)
{
    m_context->flowItemResult = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, WfOutputLightFile(m_context.get()));

    m_context->flowItemResult = S_OK;
    EXPECT_EQ(E_POINTER, Raised([&] { WfOutputLightFile(m_context.get()); })) << "a missing workflow item raises";

    // An attached object that is no workflow item fails the list; the list is released.
    FakeRef<FakeFlowItem> flowItem = MakeFake<FakeFlowItem>();
    FakeRef<FakeFlowItem> attached = MakeFake<FakeFlowItem>();
    FakeRef<FakeOtlObject> part = MakeFake<FakeOtlObject>();
    flowItem->attached = {static_cast<IQvUiFlowItem*>(attached.get()), static_cast<IQvOtlObject*>(part.get())};
    m_context->flowItem = static_cast<IQvUiFlowItem*>(flowItem.get());
    ULONG before = attached->Count();
    EXPECT_EQ(E_NOINTERFACE, WfOutputLightFile(m_context.get()));
    EXPECT_EQ(before, attached->Count());
    EXPECT_TRUE(m_trace.OfKind("dialog").empty());
}

} // namespace
