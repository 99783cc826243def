// A print plug-in that prints nothing: it reports the array it was handed, so that a test can see
// which array arrived and what it held.
#include <afxcoll.h>

#include <cstdio>

#include <winenv/Trace.h>

extern "C" __declspec(dllexport) int PrintArrayFile(CStringArray* pFiles)
{
    char address[32];
    std::snprintf(address, sizeof(address), "%p", static_cast<void*>(pFiles));
    std::string files;
    const INT_PTR count = pFiles ? pFiles->GetSize() : 0;
    for (INT_PTR i = 0; i < count; ++i)
        files += (i ? "\n" : "") + winenv::ToUtf8(static_cast<LPCWSTR>(pFiles->GetAt(i)));
    winenv::Trace("print_capture", {{"address", address}, {"count", std::to_string(count)}, {"files", files}});
    return 1;
}
