// The signing plug-in alone as a process: loads SignPdf.dll by name and signs one PDF with one
// job file, as the client does. Exit status 0 when the plug-in drew the job's signatures.
#include <SignPdf.h>
#include <winenv/Paths.h>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: signpdf_run PDF JOB\n");
        return 1;
    }
    HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
    auto pfnSignPdf = hModule ? reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf")) : nullptr;
    if (!pfnSignPdf) {
        std::fprintf(stderr, "SignPdf.dll not loadable\n");
        return 2;
    }
    const int drawn = pfnSignPdf(winenv::FromPosixPath(argv[1]).c_str(), winenv::FromPosixPath(argv[2]).c_str());
    return drawn >= 0 ? 0 : 3;
}
