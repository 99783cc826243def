// Windows: a printer gets each file through the "printto" verb of its file type, so the program
// registered for the type prints it; without a printer the list goes into the spool folder.
#include <windows.h>
#include <atlbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <winenv/Trace.h>

#include "../PrintSpooler.h"

namespace printplugin {
namespace {

std::wstring Environment(LPCWSTR lpszName)
{
    wchar_t szValue[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(lpszName, szValue, MAX_PATH);
    return cch > 0 && cch < MAX_PATH ? std::wstring(szValue, cch) : std::wstring();
}

std::wstring SpoolFolder()
{
    std::wstring strFolder = Environment(L"PLM_PRINT_SPOOL");
    if (!strFolder.empty())
        return strFolder;
    wchar_t szTemp[MAX_PATH];
    DWORD cch = GetTempPathW(MAX_PATH, szTemp);
    return std::wstring(szTemp, cch > 0 && cch < MAX_PATH ? cch : 0) + L"PrintSpool";
}

PrintJobResult PrintOnPrinter(const std::wstring& strPrinter, const std::vector<std::string>& files)
{
    PrintJobResult result;
    result.destination = "printer:" + winenv::ToUtf8(strPrinter);
    const std::wstring strParameters = L"\"" + strPrinter + L"\"";
    size_t nPrinted = 0;
    for (const std::string& file : files) {
        const std::wstring strFile = winenv::FromUtf8(file);
        SHELLEXECUTEINFOW sei = {};
        sei.cbSize = sizeof(sei);
        sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = L"printto";
        sei.lpFile = strFile.c_str();
        sei.lpParameters = strParameters.c_str();
        sei.nShow = SW_HIDE;
        if (!ShellExecuteExW(&sei))
            continue;
        DWORD dwExit = 0;
        if (sei.hProcess != NULL) {
            const CHandle process(sei.hProcess);
            WaitForSingleObject(process, INFINITE);
            GetExitCodeProcess(process, &dwExit);
        }
        if (dwExit == 0)
            ++nPrinted;
    }
    result.ok = nPrinted == files.size();
    result.detail = files.empty() ? "nothing to print"
                                  : "printto: " + std::to_string(nPrinted) + " of " + std::to_string(files.size());
    return result;
}

PrintJobResult WriteSpoolFile(const std::vector<std::string>& files)
{
    PrintJobResult result;
    const std::wstring strFolder = SpoolFolder();
    const int nMade = SHCreateDirectoryExW(NULL, strFolder.c_str(), NULL);
    if (nMade != ERROR_SUCCESS && nMade != ERROR_ALREADY_EXISTS) {
        result.detail = "cannot create " + winenv::ToUtf8(strFolder);
        return result;
    }
    static unsigned nSequence = 0;
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG nMilliseconds = ((ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000;
    const std::wstring strJob = strFolder + L"\\job-" + std::to_wstring(nMilliseconds) + L"-" +
        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++nSequence) + L".txt";
    result.destination = winenv::ToUtf8(strJob);
    std::string strList;
    for (const std::string& file : files)
        strList += file + '\n';
    CHandle file;
    const HANDLE hFile = CreateFileW(strJob.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
        file.Attach(hFile);
    DWORD cbWritten = 0;
    result.ok = file != NULL && WriteFile(file, strList.data(), static_cast<DWORD>(strList.size()), &cbWritten, NULL) &&
        cbWritten == strList.size();
    // A job list that fails to close may not be all on disk.
    if (file != NULL)
        result.ok = CloseHandle(file.Detach()) && result.ok;
    result.detail = std::to_string(files.size()) + " file(s)";
    return result;
}

} // namespace

PrintJobResult SubmitPrintJob(const std::vector<std::string>& paths)
{
    const std::wstring strPrinter = Environment(L"PLM_PRINTER");
    return strPrinter.empty() ? WriteSpoolFile(paths) : PrintOnPrinter(strPrinter, paths);
}

} // namespace printplugin
