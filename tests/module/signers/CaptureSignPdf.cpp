// A SignPdf.dll for the module tests: keeps a copy of every job it receives beside it
// ("<job>.captured") and notes the call in "<pdf>.signcall" (PDF path, newline, job path).
#include <filesystem>
#include <fstream>

#include <windows.h>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

extern "C" __declspec(dllexport) int WINAPI SignPdf(LPCWSTR lpszPdfPath, LPCWSTR lpszJobPath)
{
    std::string job = winenv::ToPosixPath(lpszJobPath);
    std::error_code ec;
    std::filesystem::copy_file(job, job + ".captured", std::filesystem::copy_options::overwrite_existing, ec);
    std::ofstream note(winenv::ToPosixPath(lpszPdfPath) + ".signcall", std::ios::app);
    note << winenv::ToUtf8(lpszPdfPath) << "\n" << winenv::ToUtf8(lpszJobPath) << "\n";
    return 0;
}
