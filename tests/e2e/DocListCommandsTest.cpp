// The document-list commands through the module's exports on the real client: viewing a
// document's light file, viewing its DWG file, downloading both kinds into a chosen folder.
#include "CommandTest.h"

#include "SystemInterposer.h"
#include "TestPdf.h"

namespace e2e {
namespace {

struct ClassCase {
    const wchar_t* className;
    const wchar_t* type;     // the light file type its view and download ask for
    const wchar_t* fileName; // its light file of that type
};

std::ostream& operator<<(std::ostream& out, const ClassCase& c)
{
    return out << winenv::ToUtf8(c.className);
}

// Lookups of one file type, in the order the module ran them.
std::vector<std::string> LookedUpTypes(const std::vector<std::string>& sql)
{
    const std::string marker = " and T_LightFile.filetype = '";
    std::vector<std::string> types;
    for (const std::string& text : sql) {
        const size_t at = text.find(marker);
        if (at != std::string::npos)
            types.push_back(text.substr(at + marker.size(), text.find('\'', at + marker.size()) - at - marker.size()));
    }
    return types;
}

class DocumentListTest : public CommandTest, public ::testing::WithParamInterface<ClassCase> {
protected:
    // The document of the class under test with its viewable file and a DWG file.
    qvclient::DocumentFixture MakeDocument()
    {
        const ClassCase& c = GetParam();
        return Document(c.className, {{c.fileName, c.type}, {L"sheet.dwg", L"dwg"}});
    }

    std::wstring TempFile(const std::wstring& name) { return Client().Client().GetTempPath() + L"\\" + name; }
    std::string ViewerMap() { return winenv::ToUtf8(Client().Client().GetConfigPath() + L"\\commcfg\\Viewermap.xml"); }
};

// The light file view shows the class's viewable file, the DWG view the DWG file whatever the class.
TEST_P(DocumentListTest, ViewsShowTheirFileInTheViewer)
{
    const LONG id = MakeDocument().documentId;
    ASSERT_EQ(S_OK, Client().Open());
    const struct {
        PFN_UiCommand command;
        std::wstring shown, notFetched;
    } cases[] = {{Module().OnDocListViewLightFile, GetParam().fileName, L"sheet.dwg"},
        {Module().OnDocListViewDwgFile, L"sheet.dwg", L""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(winenv::ToUtf8(c.shown));
        trace.Clear();
        EXPECT_EQ(S_OK, Run(c.command, DocumentListContext(GetParam().className, id)));
        const std::vector<std::string> expected = {
            "SetViewerMap 3 " + ViewerMap(), "OpenFile 1 " + winenv::ToUtf8(TempFile(c.shown))};
        EXPECT_EQ(expected, ViewerCalls());
        EXPECT_TRUE(FileExists(TempFile(c.shown)));
        if (!c.notFetched.empty()) {
            EXPECT_FALSE(FileExists(TempFile(c.notFetched)));
        }
    }
    EXPECT_EQ(std::vector<std::string>{"dwg"}, LookedUpTypes(Sql()));
    EXPECT_EQ(2, user.viewerDialogs);
    EXPECT_TRUE(user.messages.empty());
}

TEST_P(DocumentListTest, FailingFirstLookupNamesItsTypeAndNeverLooksForTheDwg)
{
    const ClassCase& c = GetParam();
    const LONG id = MakeDocument().documentId;
    ASSERT_EQ(S_OK, Client().Open());
    // Only the first transaction is refused: a DWG lookup after it would succeed and show.
    viztest::SystemFaults faults;
    faults.transaction = E_ACCESSDENIED;
    viztest::SystemInterposer failing(Client().Client(), faults);
    ASSERT_TRUE(failing.Registered());
    const std::wstring out = Client().MakeFolder("out");
    user.folders.push_back(out);

    const HRESULT hr = Run(Module().OnDocListDownLoadLightFile, DocumentListContext(c.className, id));

    EXPECT_EQ(E_ACCESSDENIED, hr) << HrText(hr);
    EXPECT_EQ(std::vector<std::wstring>{L"下载" + std::wstring(c.type) + L"文件失败！"}, user.MessageTexts());
    EXPECT_EQ(1, faults.transactionCalls);
    EXPECT_TRUE(Sql().empty());
    EXPECT_TRUE(ListFolder(out).empty());
}

INSTANTIATE_TEST_SUITE_P(EveryDocumentClass, DocumentListTest,
    ::testing::Values(ClassCase{L"Document", L"pdf", L"manual.pdf"}, ClassCase{L"Drawing", L"pdf", L"drawing.pdf"},
        ClassCase{L"CappDocument", L"pdf", L"card.pdf"}, ClassCase{L"3DDocument", L"step", L"model.step"}),
    [](const ::testing::TestParamInfo<ClassCase>& info) { return winenv::ToUtf8(info.param.className) == "3DDocument"
                                                              ? std::string("ThreeD")
                                                              : winenv::ToUtf8(info.param.className); });

class DocumentListDownloadTest : public CommandTest {};

// Two PDFs are both written; a document without light files still ends in completion.
TEST_F(DocumentListDownloadTest, EveryFileOfTheTypeOrNoneEndsInCompletion)
{
    const LONG two = Document(L"Drawing", {{L"sheet1.pdf", L"pdf"}, {L"sheet2.pdf", L"pdf"}, {L"all.dwg", L"dwg"}})
                         .documentId;
    const LONG none = Document(L"Document", {}).documentId;
    ASSERT_EQ(S_OK, Client().Open());
    const std::wstring out = Client().MakeFolder("out"), empty = Client().MakeFolder("empty");
    user.folders = {out, empty};

    EXPECT_EQ(S_OK, Run(Module().OnDocListDownLoadLightFile, DocumentListContext(L"Drawing", two)));
    EXPECT_EQ(S_OK, Run(Module().OnDocListDownLoadLightFile, DocumentListContext(L"Document", none)));

    EXPECT_EQ((std::vector<std::string>{"all.dwg", "sheet1.pdf", "sheet2.pdf"}), ListFolder(out));
    EXPECT_NE(std::string::npos, PdfText(PosixOf(out + L"\\sheet2.pdf")).find("sheet2.pdf"));
    EXPECT_TRUE(ListFolder(empty).empty());
    EXPECT_EQ((std::vector<std::string>{"pdf", "dwg", "pdf", "dwg"}), LookedUpTypes(Sql()));
    EXPECT_EQ((std::vector<std::wstring>{L"下载完成", L"下载完成"}), user.MessageTexts());
}

TEST_F(DocumentListDownloadTest, UserWithoutTheOutputRightGetsNoDialogAndNoMessage)
{
    const LONG id = Document(L"Drawing", {{L"drawing.pdf", L"pdf"}, {L"sheet.dwg", L"dwg"}}).documentId;
    Fixture().AddUser(L"wang", L"王工");
    Fixture().SetCurrentUser(L"wang");
    ASSERT_EQ(S_OK, Client().Open());
    user.folders.push_back(Client().MakeFolder("out"));

    for (PFN_UiCommand command :
        {Module().OnDocListViewLightFile, Module().OnDocListViewDwgFile, Module().OnDocListDownLoadLightFile})
        EXPECT_EQ(S_OK, Run(command, DocumentListContext(L"Drawing", id)));

    EXPECT_TRUE(user.pickerTitles.empty());
    EXPECT_EQ(0, user.viewerDialogs);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_TRUE(Sql().empty());
    EXPECT_TRUE(Events("file_written").empty());
}

} // namespace
} // namespace e2e
