// The print plug-in's entry point: prints the files of a CStringArray, in order, or makes them
// one PDF book when the print settings say so.
#include <afxcoll.h>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "BookDestination.h"
#include "PrintSpooler.h"

extern "C" __declspec(dllexport) int PrintArrayFile(CStringArray* pFiles)
{
    std::vector<std::string> files;
    std::string list;
    if (pFiles) {
        for (INT_PTR i = 0; i < pFiles->GetSize(); ++i) {
            const CString& path = pFiles->GetAt(i);
            files.push_back(winenv::ToPosixPath(path));
            list += (i ? "\n" : "") + winenv::ToUtf8(static_cast<LPCWSTR>(path));
        }
    }
    winenv::Trace("plugin_call", {{"library", "PrintPlugin.dll"}, {"export", "PrintArrayFile"},
                                        {"count", std::to_string(files.size())}, {"files", list}});
    const std::string book = printplugin::ConfiguredBookPath();
    const printplugin::PrintJobResult job =
        book.empty() ? printplugin::SubmitPrintJob(files) : printplugin::PrintAsBook(files, book);
    winenv::Trace("print_job", {{"destination", job.destination}, {"result", job.ok ? "ok" : "failed"},
                                      {"detail", job.detail}});
    return job.ok ? 1 : 0;
}
