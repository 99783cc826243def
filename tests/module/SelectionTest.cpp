// Walking the client's user-interface context to the selected object.
#include <functional>

#include <gtest/gtest.h>

#include <comdef.h>

#include "FakeObjects.h"
#include "FakeUi.h"
#include "RaisedStatus.h"
#include "SystemInterposer.h"
#include "commands/Selection.h"

using namespace moduletest;
using namespace viztest;

namespace {

class ListSelection : public testing::Test {
protected:
    void SetUp() override
    {
        m_doc = OpenListedDocument(m_client);
        ASSERT_NE(nullptr, m_doc);
        m_system = std::make_unique<SystemInterposer>(m_client.Client(), m_faults);
    }

    ClientFolder m_client;
    IQvOtlObjectPtr m_doc;
    SystemFaults m_faults;
    std::unique_ptr<SystemInterposer> m_system;
    IQvUiWindowPtr m_spWindow;
    IQvOtlObjectPtr m_spObject;
};

TEST_F(ListSelection, FindsTheFirstSelectedObjectAndChecksTheRight)
{
    FakeListUi ui(m_doc);
    BOOL bAllowed = FALSE;
    EXPECT_EQ(S_OK, GetListSelection(ui.context.get(), m_spWindow, m_spObject, bAllowed));
    EXPECT_TRUE(bAllowed);
    EXPECT_EQ(static_cast<IQvOtlObject*>(m_doc), static_cast<IQvOtlObject*>(m_spObject));
    EXPECT_EQ(static_cast<IQvUiWindow*>(ui.commandWindow.get()), static_cast<IQvUiWindow*>(m_spWindow));
    EXPECT_EQ(std::vector<LONG>{0}, ui.view->indexes);
}

// Each step failing, refusing or missing its pointer: the status returned (or raised), the
// permission given, the right checks made.
TEST_F(ListSelection, EveryStepsEnding)
{
    using Fault = std::function<void(FakeListUi&, SystemFaults&)>;
    struct Case {
        const char* step;
        Fault fault;
        HRESULT result;
        HRESULT raised;
        BOOL allowed;
        int rightChecks;
    } cases[] = {
        {"command window", [](FakeListUi& ui, SystemFaults&) { ui.context->windowResult = E_ACCESSDENIED; },
            E_ACCESSDENIED, S_OK, FALSE, 0},
        {"parent", [](FakeListUi& ui, SystemFaults&) { ui.commandWindow->parentResult = E_ACCESSDENIED; },
            E_ACCESSDENIED, S_OK, FALSE, 0},
        {"view", [](FakeListUi& ui, SystemFaults&) { ui.frame->viewResult = E_ACCESSDENIED; }, E_ACCESSDENIED, S_OK,
            FALSE, 0},
        {"item", [](FakeListUi& ui, SystemFaults&) { ui.view->result = E_ACCESSDENIED; }, E_ACCESSDENIED, S_OK,
            FALSE, 0},
        {"ui object", [](FakeListUi& ui, SystemFaults&) { ui.item->result = E_ACCESSDENIED; }, E_ACCESSDENIED, S_OK,
            FALSE, 0},
        {"object", [](FakeListUi& ui, SystemFaults&) { ui.uiObject->result = E_ACCESSDENIED; }, E_ACCESSDENIED,
            S_OK, FALSE, 0},
        {"right", [](FakeListUi&, SystemFaults& f) { f.right = E_ACCESSDENIED; }, E_ACCESSDENIED, S_OK, FALSE, 1},
        // A refused right is a success without permission.
        {"refused right", [](FakeListUi&, SystemFaults& f) { f.right = S_FALSE; }, S_FALSE, S_OK, FALSE, 1},
        {"null object goes to the right check", [](FakeListUi& ui, SystemFaults&) { ui.uiObject->object = nullptr; },
            S_OK, S_OK, TRUE, 1},
        {"no command window", [](FakeListUi& ui, SystemFaults&) { ui.context->commandWindow = {}; }, 0, E_POINTER,
            FALSE, 0},
        {"no parent", [](FakeListUi& ui, SystemFaults&) { ui.commandWindow->parent = {}; }, 0, E_POINTER, FALSE, 0},
        {"no frame", [](FakeListUi& ui, SystemFaults&) { ui.frame->isFrame = false; }, 0, E_POINTER, FALSE, 0},
        {"frame query",
            [](FakeListUi& ui, SystemFaults&) {
                ui.frame->isFrame = false;
                ui.frame->frameQueryFailure = E_ACCESSDENIED;
            },
            0, E_ACCESSDENIED, FALSE, 0},
        {"no view", [](FakeListUi& ui, SystemFaults&) { ui.frame->view = {}; }, 0, E_POINTER, FALSE, 0},
        {"no item", [](FakeListUi& ui, SystemFaults&) { ui.view->item = {}; }, 0, E_POINTER, FALSE, 0},
        {"no ui object", [](FakeListUi& ui, SystemFaults&) { ui.item->uiObject = {}; }, 0, E_POINTER, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        FakeListUi ui(m_doc);
        m_faults = SystemFaults();
        c.fault(ui, m_faults);
        BOOL bAllowed = TRUE;
        HRESULT hr = 0;
        m_spObject = nullptr;
        EXPECT_EQ(c.raised, Raised([&] { hr = GetListSelection(ui.context.get(), m_spWindow, m_spObject, bAllowed); }));
        EXPECT_EQ(c.result, hr);
        EXPECT_EQ(c.allowed, bAllowed);
        EXPECT_EQ(c.rightChecks, m_faults.rightChecks);
        if (c.rightChecks != 0) {
            EXPECT_EQ(ui.uiObject->object, static_cast<IQvOtlObject*>(m_spObject));
        }
    }
}

// A product tree: command window (itself a frame, never asked) -> plain window -> frame without a
// view -> frame with the tree view.
class TreeSelection : public testing::Test {
protected:
    TreeSelection()
    {
        m_part = MakeFake<FakeOtlObject>();
        m_uiObject->object = static_cast<IQvOtlObject*>(m_part.get());
        m_item->uiObject = m_uiObject;
        m_view->item = m_item;
        m_treeFrame->isFrame = true;
        m_treeFrame->view = m_view;
        m_emptyFrame->isFrame = true;
        m_emptyFrame->parent = m_treeFrame;
        m_plain->parent = m_emptyFrame;
        m_commandWindow->isFrame = true;
        m_commandWindow->view = m_view;
        m_commandWindow->parent = m_plain;
        m_context->commandWindow = m_commandWindow;
    }

    HRESULT Select() { return GetTreeSelection(m_context.get(), m_spObject); }

    FakeRef<FakeOtlObject> m_part;
    FakeRef<FakeUiObject> m_uiObject = MakeFake<FakeUiObject>();
    FakeRef<FakeUiItem> m_item = MakeFake<FakeUiItem>();
    FakeRef<FakeUiView> m_view = MakeFake<FakeUiView>();
    FakeRef<FakeUiWindow> m_treeFrame = MakeFake<FakeUiWindow>();
    FakeRef<FakeUiWindow> m_emptyFrame = MakeFake<FakeUiWindow>();
    FakeRef<FakeUiWindow> m_plain = MakeFake<FakeUiWindow>();
    FakeRef<FakeUiWindow> m_commandWindow = MakeFake<FakeUiWindow>();
    FakeRef<FakeUiContext> m_context = MakeFake<FakeUiContext>();
    IQvOtlObjectPtr m_spObject;
};

TEST_F(TreeSelection, WalksTheAncestorsToTheFirstView)
{
    EXPECT_EQ(S_OK, Select());
    EXPECT_EQ(static_cast<IQvOtlObject*>(m_part.get()), static_cast<IQvOtlObject*>(m_spObject));
    EXPECT_EQ(0, m_commandWindow->frameQueries);
    EXPECT_EQ(1, m_emptyFrame->frameQueries);
    EXPECT_EQ(std::vector<LONG>{0}, m_view->indexes);
}

TEST_F(TreeSelection, NoViewAmongTheAncestorsIsASilentEnd)
{
    m_treeFrame->view = FakeRef<FakeUiView>();
    EXPECT_EQ(S_OK, Select());
    EXPECT_EQ(nullptr, static_cast<IQvOtlObject*>(m_spObject));

    m_context->commandWindow = FakeRef<FakeUiWindow>();
    m_context->windowResult = E_ACCESSDENIED; // not examined
    EXPECT_EQ(S_OK, Select());
}

TEST_F(TreeSelection, FailuresOnTheWayAreReturned)
{
    m_emptyFrame->parentResult = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, Select());
    m_emptyFrame->parentResult = S_OK;
    m_emptyFrame->viewResult = E_OUTOFMEMORY;
    EXPECT_EQ(E_OUTOFMEMORY, Select());
    m_emptyFrame->viewResult = S_OK;
    m_view->isTree = false;
    EXPECT_EQ(E_NOINTERFACE, Select());
}

TEST_F(TreeSelection, NoObjectIsASilentEndButMissingItemsRaise)
{
    m_uiObject->object = nullptr;
    EXPECT_EQ(S_OK, Select());
    EXPECT_EQ(nullptr, static_cast<IQvOtlObject*>(m_spObject));

    m_item->uiObject = FakeRef<FakeUiObject>();
    EXPECT_EQ(E_POINTER, Raised([&] { Select(); }));
    m_view->item = FakeRef<FakeUiItem>();
    EXPECT_EQ(E_POINTER, Raised([&] { Select(); }));
}

} // namespace
