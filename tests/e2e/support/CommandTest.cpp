#include "CommandTest.h"

#include <qvclient/UiContext.h>

#include "ContextReferences.h"
#include "TestPdf.h"

namespace e2e {

void CommandTest::SetUp()
{
    ASSERT_TRUE(Module().Complete()) << "VuverIverIzizerOzi.dll or one of its exports was not found";
}

std::string CommandTest::Content(const std::wstring& name, const std::wstring& type)
{
    return type == L"pdf" ? MakePdf(winenv::ToUtf8(name)) : ClientTest::Content(name, type);
}

IQvUiContextPtr CommandTest::Context(HRESULT (*make)(IQvOtlObject*, IQvUiContext**, HWND), const wchar_t* className, LONG id)
{
    IQvUiContextPtr context;
    IQvOtlObjectPtr object = m_folder.Object(className, id);
    EXPECT_TRUE(object != nullptr) << winenv::ToUtf8(className) << ":" << id;
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
    const HRESULT hr = AsUser([&] { return command(pContext); });
    EXPECT_EQ(before, references.Counts()) << "references left held (or released too often) by the command";
    return hr;
}

} // namespace e2e
