#include "CommandTest.h"

#include <cstdio>

#include <qvclient/UiContext.h>
#include <win32host/Desktop.h>

#include "ContextReferences.h"
#include "TestPdf.h"

namespace e2e {

std::string HrText(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

void CommandTest::SetUp()
{
    ASSERT_TRUE(Module().Complete()) << "VuverIverIzizerOzi.dll or one of its exports was not found";
}

qvclient::DocumentFixture CommandTest::Document(const std::wstring& className,
    const std::vector<std::pair<std::wstring, std::wstring>>& files)
{
    std::vector<qvclient::LightFileSpec> specs;
    for (const auto& [name, type] : files) {
        const std::string utf8 = win32host::ToUtf8(name);
        specs.push_back({name, type, type == L"pdf" ? MakePdf(utf8) : "light file " + utf8, ""});
    }
    return Fixture().AddDocumentWithLightFiles(className, className + L" document", L"", specs);
}

IQvUiContextPtr CommandTest::Context(HRESULT (*make)(IQvOtlObject*, IQvUiContext**, HWND), const wchar_t* className, LONG id)
{
    IQvUiContextPtr context;
    IQvOtlObjectPtr object = m_client.Object(className, id);
    EXPECT_TRUE(object != nullptr) << win32host::ToUtf8(className) << ":" << id;
    EXPECT_EQ(S_OK, make(object, &context, nullptr));
    return context;
}

IQvUiContextPtr CommandTest::DocumentListContext(const wchar_t* className, LONG id)
{
    return Context(qvclient::MakeDocumentListContext, className, id);
}

IQvUiContextPtr CommandTest::ProductTreeContext(const wchar_t* className, LONG id)
{
    return Context(qvclient::MakeProductTreeContext, className, id);
}

IQvUiContextPtr CommandTest::WorkflowContext(LONG flowItemId)
{
    return Context(qvclient::MakeWorkflowContext, L"WorkflowItem", flowItemId);
}

HRESULT CommandTest::Run(PFN_UiCommand command, IQvUiContext* pContext)
{
    if (command == nullptr || pContext == nullptr) {
        ADD_FAILURE() << "no command or no context";
        return E_POINTER;
    }
    ContextReferences references(pContext);
    const auto before = references.Counts();
    HRESULT hr = E_UNEXPECTED;
    {
        win32host::ScopedDesktopUser scoped(user);
        hr = command(pContext);
    }
    EXPECT_EQ(before, references.Counts()) << "references left held (or released too often) by the command";
    return hr;
}

std::vector<std::string> CommandTest::Sql() const
{
    std::vector<std::string> texts;
    for (const auto& e : Events("sql"))
        texts.push_back(e.Get("text"));
    return texts;
}

std::vector<std::string> CommandTest::ViewerCalls() const
{
    std::vector<std::string> calls;
    for (const auto& e : Events("viewer"))
        calls.push_back(e.Get("method") + " " + e.Get("dispid") + " " + e.Get("path"));
    return calls;
}

} // namespace e2e
