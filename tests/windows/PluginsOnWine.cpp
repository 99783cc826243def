// The plug-ins as the module calls them on Windows, in a Chinese (PRC) locale: SignPdf.dll loaded
// by name reads a job written through the real profile API as the Linux plug-in does and signs the
// same three-page PDF with the Linux plug-in's event. PrintPlugin.dll takes a CStringArray and
// spools it. With "viewer registered" or "viewer unregistered" it checks instead what regsvr32 left of the viewer control in the registry and
// whether COM creates the control from it.
// Prints one line per failed check; the exit code is the number of failures.
#include <afxcoll.h>
#include <oleauto.h>

#include <pdfstamp/OnDemand.h>
#include <winenv/Trace.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../fidelity/SignedJob.h"

namespace {

int g_nFailures = 0;

void Check(bool bOk, const char* pszWhat, const std::string& strDetail = std::string())
{
    if (!bOk) {
        ++g_nFailures;
        std::printf("FAILED: %s %s\n", pszWhat, strDetail.c_str());
    }
}

template <typename T> T Export(LPCWSTR lpszLibrary, const char* pszName)
{
    HMODULE hModule = LoadLibraryW(lpszLibrary);
    Check(hModule != NULL, "LoadLibraryW", winenv::ToUtf8(lpszLibrary));
    T pfn = hModule != NULL ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName))) : NULL;
    Check(pfn != NULL, "GetProcAddress", pszName);
    return pfn;
}

void WriteBytes(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream(std::filesystem::path(strPath), std::ios::binary) << strBytes;
}

std::string ReadBytes(const std::wstring& strPath)
{
    std::ifstream file(std::filesystem::path(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void CheckSignPdf(const std::wstring& strFolder)
{
    typedef int (*PFN_SIGNPDF)(const wchar_t*, const wchar_t*);
    PFN_SIGNPDF pfnSignPdf = Export<PFN_SIGNPDF>(L"SignPdf.dll", "SignPdf");
    if (pfnSignPdf == NULL)
        return;
    const std::wstring strPdf = strFolder + L"\\A01.pdf", strJob = strPdf + L".ini";
    // The Linux test's PDF, made by this build's own pdfstamp.dll.
    Check(pdfstamp::ondemand::MakeSamplePdf(winenv::ToUtf8(strPdf), L"A-01", {L"body"}, 3), "the sample PDF is made");
    const std::string strSample = ReadBytes(strPdf);
    DeleteFileW(strJob.c_str());
    for (const SignedJobLine& line : kSignedJob)
        WritePrivateProfileStringW(line.section, line.key, line.value, strJob.c_str());

    winenv::TraceRecorder trace;
    pfnSignPdf(strPdf.c_str(), strJob.c_str());
    const auto events = trace.OfKind("signed");
    Check(events.size() == 1, "one signed event");
    if (events.size() == 1) {
        Check(events[0].Get("pdf") == winenv::ToUtf8(strPdf), "signed pdf", events[0].Get("pdf"));
        for (const auto& field : kSignedEvent)
            Check(events[0].Get(field[0]) == field[1], field[0], events[0].Get(field[0]));
    }
    Check(ReadBytes(strPdf).compare(0, strSample.size(), strSample) == 0 && ReadBytes(strPdf).size() > strSample.size(),
        "the signatures appended to the PDF");

    trace.Clear();
    pfnSignPdf((strFolder + L"\\absent.pdf").c_str(), strJob.c_str());
    const auto failed = trace.OfKind("signed");
    Check(failed.size() == 1 && failed[0].Get("result") == "-1" && failed[0].Get("error").rfind("cannot read the PDF: ", 0) == 0,
        "a missing PDF fails as on Linux", failed.empty() ? "" : failed[0].Get("error"));
}

void CheckPrintPlugin(const std::wstring& strFolder)
{
    typedef int (*PFN_PRINTARRAYFILE)(CStringArray*);
    PFN_PRINTARRAYFILE pfnPrint = Export<PFN_PRINTARRAYFILE>(L"PrintPlugin.dll", "PrintArrayFile");
    if (pfnPrint == NULL)
        return;
    const std::wstring strSpool = strFolder + L"\\spool";
    SetEnvironmentVariableW(L"PLM_PRINT_SPOOL", strSpool.c_str());
    SetEnvironmentVariableW(L"PLM_PRINTER", NULL);
    CStringArray files;
    files.Add((strFolder + L"\\A-01.pdf").c_str());
    files.Add((strFolder + L"\\赵敏\\B-02.dwg").c_str());
    const std::string strList = winenv::ToUtf8(static_cast<LPCWSTR>(files[0])) + "\n" +
        winenv::ToUtf8(static_cast<LPCWSTR>(files[1]));

    winenv::TraceRecorder trace;
    Check(pfnPrint(&files) == 1, "PrintArrayFile succeeds");
    const auto calls = trace.OfKind("plugin_call");
    const auto jobs = trace.OfKind("print_job");
    Check(calls.size() == 1 && calls[0].Get("library") == "PrintPlugin.dll" && calls[0].Get("count") == "2" &&
            calls[0].Get("files") == strList,
        "plugin_call event", calls.empty() ? "" : calls[0].Get("files"));
    Check(jobs.size() == 1 && jobs[0].Get("result") == "ok" && jobs[0].Get("detail") == "2 file(s)", "print_job event");
    if (jobs.size() == 1) {
        const std::string strDestination = jobs[0].Get("destination");
        Check(strDestination.rfind(winenv::ToUtf8(strSpool) + "\\job-", 0) == 0, "spooled in", strDestination);
        Check(ReadBytes(winenv::FromUtf8(strDestination)) == strList + "\n", "spool file lists the files in order");
    }
}

const wchar_t kViewerKey[] = L"CLSID\\{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}";

std::wstring RegistryString(const std::wstring& strKey, LPCWSTR lpszValue)
{
    wchar_t szValue[MAX_PATH] = L"";
    DWORD cb = sizeof szValue;
    if (RegGetValueW(HKEY_CLASSES_ROOT, strKey.c_str(), lpszValue, RRF_RT_REG_SZ, NULL, szValue, &cb) != ERROR_SUCCESS)
        return L"(none)";
    return szValue;
}

// Made from the registry as the framework's container makes it, then one call of each method.
void CheckViewerCreates(REFCLSID clsid, const std::wstring& strFolder)
{
    IDispatch* pViewer = NULL;
    HRESULT hr = CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&pViewer));
    Check(SUCCEEDED(hr) && pViewer != NULL, "CoCreateInstance of the viewer control", std::to_string(hr));
    if (pViewer == NULL)
        return;
    winenv::TraceRecorder trace;
    const std::wstring strMap = strFolder + L"\\Viewermap.xml";
    WriteBytes(strMap, "<ViewerMap><Viewer extensions=\".pdf\" program=\"notepad.exe\" /></ViewerMap>");
    for (const auto& call : {std::make_pair(3, strMap), std::make_pair(1, strFolder + L"\\A-01.pdf")}) {
        VARIANT arg;
        arg.vt = VT_BSTR;
        arg.bstrVal = SysAllocString(call.second.c_str());
        DISPPARAMS params = {&arg, NULL, 1, 0};
        Check(pViewer->Invoke(call.first, IID_NULL, 0, DISPATCH_METHOD, &params, NULL, NULL, NULL) == S_OK,
            "Invoke of dispatch id", std::to_string(call.first));
        VariantClear(&arg);
    }
    const auto calls = trace.OfKind("viewer");
    Check(calls.size() == 2 && calls[0].Get("loaded") == "yes" && calls[1].Get("program") == "notepad.exe" &&
            calls[1].Get("launched") == "no",
        "viewer events: the map loaded, the program found, nothing launched");
    pViewer->Release();
}

void CheckViewer(bool bRegistered, const std::wstring& strFolder)
{
    CLSID clsid;
    CLSIDFromString(kViewerKey + 6, &clsid);
    if (!bRegistered) {
        IUnknown* pUnknown = NULL;
        Check(RegistryString(kViewerKey, NULL) == L"(none)" &&
                CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&pUnknown)) ==
                    REGDB_E_CLASSNOTREG,
            "no class key and no class after regsvr32 /u");
        return;
    }
    wchar_t szProgram[MAX_PATH];
    GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    std::wstring strExpected = szProgram;
    strExpected = strExpected.substr(0, strExpected.find_last_of(L'\\') + 1) + L"QvViewerControl.dll";
    const std::wstring strServer = std::wstring(kViewerKey) + L"\\InprocServer32";
    const std::wstring strServerPath = RegistryString(strServer, NULL);
    Check(lstrcmpiW(strServerPath.c_str(), strExpected.c_str()) == 0, "InprocServer32 names the DLL",
        winenv::ToUtf8(strServerPath));
    Check(RegistryString(strServer, L"ThreadingModel") == L"Apartment", "ThreadingModel Apartment");
    CheckViewerCreates(clsid, strFolder);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 && !(argc == 4 && lstrcmpW(argv[2], L"viewer") == 0)) {
        std::printf("usage: PluginsOnWine FOLDER [viewer registered|unregistered]\n");
        return 1;
    }
    if (argc == 4) {
        CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        CheckViewer(lstrcmpW(argv[3], L"registered") == 0, argv[1]);
        CoUninitialize();
    } else {
        CheckSignPdf(argv[1]);
        CheckPrintPlugin(argv[1]);
    }
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
