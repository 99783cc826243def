#include "CommandRunner.h"

#include <qvclient/CommandTransaction.h>
#include <qvclient/UiContext.h>
#include <winenv/Trace.h>

#include <utility>
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
    IQvOtlObjectPtr spSelected;
    std::wstring selection;
    if (!OpenSelection(client, options.selection, &spSelected, selection, outcome.error))
        return outcome;

    std::vector<IQvOtlObjectPtr> attached;
    HRESULT hr = S_OK;
    for (const std::wstring& arg : options.attached) {
        IQvOtlObjectPtr spItem;
        std::wstring item;
        if (!OpenSelection(client, arg, &spItem, item, outcome.error)) {
            hr = E_INVALIDARG;
            break;
        }
        attached.push_back(std::move(spItem));
    }

    IQvUiContextPtr spContext;
    if (SUCCEEDED(hr)) {
        const std::wstring& cmd = options.command;
        if (cmd == L"WfOutputLightFile")
            hr = options.attached.empty()
                ? qvclient::MakeWorkflowContext(spSelected, &spContext, hWndCommand)
                : qvclient::MakeWorkflowContext(spSelected, std::vector<IQvOtlObject*>(attached.begin(), attached.end()),
                      &spContext, hWndCommand);
        else if (cmd == L"OutputLightFile" || cmd == L"PrdTreeOutputLightFile")
            hr = qvclient::MakeProductTreeContext(spSelected, &spContext, hWndCommand);
        else
            hr = qvclient::MakeDocumentListContext(spSelected, &spContext, hWndCommand);
        if (FAILED(hr) && outcome.error.empty())
            outcome.error = "cannot build the selection's context (" + Hex(hr) + ")";
    }
    if (SUCCEEDED(hr) && spContext) {
        winenv::Trace("command", {{"name", winenv::ToUtf8(options.command)},
                                        {"selection", winenv::ToUtf8(selection)}});
        try {
            qvclient::CommandTransaction transaction;
            outcome.result = pfnCommand(spContext);
            outcome.ran = true;
        } catch (const _com_error& e) {
            // The client catches what a command raises and shows it as a failure of the command.
            outcome.result = e.Error();
            outcome.ran = true;
            winenv::Trace("command_exception", {{"code", Hex(e.Error())}});
        }
    }
    return outcome;
}

} // namespace plmclient
