// Printing from a program whose folder holds no print plug-in.
#include "ManagerTestBase.h"

namespace managertest {
namespace {

class PrintPluginMissingTest : public ManagerTest {};

TEST_F(PrintPluginMissingTest, WaitWindowClosesAndNothingElseHappens)
{
    auto& f = Fixture();
    f.SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
    const LONG top = f.AddPart(L"Top");
    f.AddPartDocument(top, L"Document", Document(L"Document", {{L"a.pdf", L"pdf"}}));
    user.onManager = [&](HWND dialog) {
        HWND tree = ManagerTree(dialog);
        ASSERT_TRUE(winenv::ClickTreeItemCheckBox(tree, TreeView_GetRoot(tree)));
        ASSERT_TRUE(winenv::ClickControl(dialog, kPrintButton));
    };
    RunOn(L"Part", top);

    bool askedForPlugin = false;
    for (const auto& event : Events("load_library")) {
        if (event.Get("name") == "PrintPlugin.dll") {
            askedForPlugin = true;
            EXPECT_EQ("not found", event.Get("result"));
        }
    }
    EXPECT_TRUE(askedForPlugin);
    const auto wait = Events("wait");
    ASSERT_FALSE(wait.empty());
    EXPECT_EQ("begin", wait.front().Get("event"));
    EXPECT_EQ("end", wait.back().Get("event"));
    EXPECT_TRUE(user.messages.empty());
    EXPECT_TRUE(Events("error_report").empty());
    EXPECT_EQ(1u, Events("file_written").size());
}

} // namespace
} // namespace managertest
