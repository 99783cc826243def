#include "CommandRunner.h"

#include <qvclient/CommandTransaction.h>
#include <qvclient/UiContext.h>
#include <winenv/Trace.h>

#include <vector>

#include "SelectionArg.h"

namespace plmclient {
namespace {

std::string Hex(HRESULT hr)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
    return buf;
}

CommandOutcome RunSignPdf(const ModuleHost& module, const SignPdfArgs& a)
{
    CommandOutcome outcome;
    winenv::Trace("command", {{"name", "SignPdf"}, {"document", std::to_string(a.docId)},
                                    {"class", winenv::ToUtf8(a.className)}, {"revision", std::to_string(a.revId)},
                                    {"pdf", winenv::ToUtf8(a.pdfPath)}});
    qvclient::CommandTransaction transaction;
    outcome.result = module.SignPdf()(static_cast<ULONG>(a.docId), a.className.c_str(), static_cast<LONG>(a.revId),
        a.pdfPath.c_str());
    outcome.ran = true;
    return outcome;
}

} // namespace

CommandOutcome RunCommand(const qvclient::Client& client, const ModuleHost& module, const Options& options,
    HWND hWndCommand)
{
    // The client's own folder first: what the command reuses there must be current.
    client.RemoveStaleTemporaryFiles();
    if (options.command == L"SignPdf")
        return RunSignPdf(module, *options.sign);

    CommandOutcome outcome;
    PFN_UiCommand pfnCommand = module.UiCommand(options.command);
    if (!pfnCommand) {
        outcome.error = "unknown command " + winenv::ToUtf8(options.command) + " (see --help)";
        return outcome;
    }
    IQvOtlObject* pSelected = nullptr;
    std::wstring selection;
    if (!OpenSelection(client, options.selection, &pSelected, selection, outcome.error))
        return outcome;

    std::vector<IQvOtlObject*> attached;
    HRESULT hr = S_OK;
    for (const std::wstring& arg : options.attached) {
        IQvOtlObject* pItem = nullptr;
        std::wstring item;
        if (!OpenSelection(client, arg, &pItem, item, outcome.error)) {
            hr = E_INVALIDARG;
            break;
        }
        attached.push_back(pItem);
    }

    IQvUiContext* pContext = nullptr;
    if (SUCCEEDED(hr)) {
        const std::wstring& cmd = options.command;
        if (cmd == L"WfOutputLightFile")
            hr = options.attached.empty() ? qvclient::MakeWorkflowContext(pSelected, &pContext, hWndCommand)
                                          : qvclient::MakeWorkflowContext(pSelected, attached, &pContext, hWndCommand);
        else if (cmd == L"OutputLightFile" || cmd == L"PrdTreeOutputLightFile")
            hr = qvclient::MakeProductTreeContext(pSelected, &pContext, hWndCommand);
        else
            hr = qvclient::MakeDocumentListContext(pSelected, &pContext, hWndCommand);
        if (FAILED(hr) && outcome.error.empty())
            outcome.error = "cannot build the selection's context (" + Hex(hr) + ")";
    }
    if (SUCCEEDED(hr) && pContext) {
        winenv::Trace("command", {{"name", winenv::ToUtf8(options.command)},
                                        {"selection", winenv::ToUtf8(selection)}});
        try {
            qvclient::CommandTransaction transaction;
            outcome.result = pfnCommand(pContext);
            outcome.ran = true;
        } catch (const _com_error& e) {
            // The client catches what a command raises and shows it as a failure of the command.
            outcome.result = e.Error();
            outcome.ran = true;
            winenv::Trace("command_exception", {{"code", Hex(e.Error())}});
        }
    }
    if (pContext)
        pContext->Release();
    for (IQvOtlObject* p : attached)
        p->Release();
    pSelected->Release();
    return outcome;
}

} // namespace plmclient
