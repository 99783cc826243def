// Every function that takes a path, on names a Chinese (PRC) user has: Chinese with blanks, and
// characters that code page 936 cannot hold (Korean, a character beyond the BMP). Each name is a
// folder and a file in it; each function must do with it what it does with an ASCII name in the
// same place (the reference), so a narrow file call anywhere on the way shows as a difference.
// Prints one line per failed check; the exit code is the number of failures.
#include <afxcoll.h>
#include <oleauto.h>

#include <QvInterfaces.h>
#include <pdfstamp/OnDemand.h>
#include <qvclient/Watermark.h>
#include <winenv/Trace.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int g_nFailures = 0;

void Check(bool bOk, const std::wstring& strName, const char* pszWhat, const std::string& strDetail = std::string())
{
    if (!bOk) {
        ++g_nFailures;
        std::printf("FAILED: [%s] %s %s\n", winenv::ToUtf8(strName).c_str(), pszWhat, strDetail.c_str());
    }
}

const wchar_t* const kNames[] = {
    L"ascii",               // the reference
    L"装配图 GR200-01 总装",  // Chinese and blanks
    L"도면 Łódź",            // outside code page 936
    L"图\U0001F600 A",       // a surrogate pair
};

void WriteBytes(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream(std::filesystem::path(strPath), std::ios::binary) << strBytes;
}

std::string ReadBytes(const std::wstring& strPath)
{
    std::ifstream file(std::filesystem::path(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The PDF every function gets: a sample that this build's pdfstamp.dll makes, so that the watermark
// and the signing read it whole.
std::string g_strPdf;

template <typename T> T Export(LPCWSTR lpszLibrary, const char* pszName)
{
    HMODULE hModule = LoadLibraryW(lpszLibrary);
    T pfn = hModule != NULL ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName))) : NULL;
    Check(pfn != NULL, lpszLibrary, "export", pszName);
    return pfn;
}

// What a function did with one name, to hold against what it did with the reference.
struct Outcome {
    std::string strWatermark, strWatermarkMissing, strSigned, strSpooled, strViewer, strProfile;
};

std::string Fields(const winenv::TraceEvent& e, std::initializer_list<const char*> names)
{
    std::string strText;
    for (const char* name : names)
        strText += std::string(name) + "=" + e.Get(name) + " ";
    return strText;
}

std::string Watermark(IQvPdfWatermark* pWatermark, const std::wstring& strPdf)
{
    winenv::TraceRecorder trace;
    BSTR bstrPath = SysAllocString(strPdf.c_str());
    const HRESULT hr = pWatermark->AddWatermark(bstrPath, 10);
    SysFreeString(bstrPath);
    const auto events = trace.OfKind("watermark");
    if (events.size() != 1 || events[0].Get("path") != winenv::ToUtf8(strPdf))
        return "no watermark event for the path";
    return std::to_string(hr) + " " + Fields(events[0], {"pages", "result", "error"});
}

std::string Sign(const std::wstring& strPdf)
{
    typedef int (*PFN_SIGNPDF)(const wchar_t*, const wchar_t*);
    static PFN_SIGNPDF pfnSignPdf = Export<PFN_SIGNPDF>(L"SignPdf.dll", "SignPdf");
    if (pfnSignPdf == NULL)
        return "no SignPdf";
    const std::wstring strJob = strPdf + L".ini";
    WritePrivateProfileStringW(L"PDFSIGN", L"NUMBER", L"1", strJob.c_str());
    WritePrivateProfileStringW(L"SIGN1", L"CONTENT", L"张工", strJob.c_str());
    winenv::TraceRecorder trace;
    const int nResult = pfnSignPdf(strPdf.c_str(), strJob.c_str());
    const auto events = trace.OfKind("signed");
    if (events.size() != 1 || events[0].Get("pdf") != winenv::ToUtf8(strPdf))
        return "no signed event for the path";
    return std::to_string(nResult) + " " + Fields(events[0], {"result", "stamps", "skipped", "error"});
}

// The spool file holds the names as given, in UTF-8; its own name is in the folder.
std::string Print(const std::wstring& strFolder, const std::wstring& strFile)
{
    typedef int (*PFN_PRINTARRAYFILE)(CStringArray*);
    static PFN_PRINTARRAYFILE pfnPrint = Export<PFN_PRINTARRAYFILE>(L"PrintPlugin.dll", "PrintArrayFile");
    if (pfnPrint == NULL)
        return "no PrintArrayFile";
    const std::wstring strSpool = strFolder + L"\\spool";
    SetEnvironmentVariableW(L"PLM_PRINT_SPOOL", strSpool.c_str());
    SetEnvironmentVariableW(L"PLM_PRINTER", NULL);
    CStringArray files;
    files.Add(strFile.c_str());
    winenv::TraceRecorder trace;
    const int nResult = pfnPrint(&files);
    const auto jobs = trace.OfKind("print_job");
    if (jobs.size() != 1)
        return "no print_job event";
    const std::wstring strDestination = winenv::FromUtf8(jobs[0].Get("destination"));
    const bool bInFolder = strDestination.rfind(strSpool + L"\\job-", 0) == 0;
    const bool bListed = ReadBytes(strDestination) == winenv::ToUtf8(strFile) + "\n";
    return std::to_string(nResult) + " " + Fields(jobs[0], {"result", "detail"}) + (bInFolder ? "in the folder " : "") +
        (bListed ? "lists the file" : "does not list the file");
}

std::string View(const std::wstring& strFolder, const std::wstring& strFile)
{
    typedef HRESULT(STDAPICALLTYPE * PFN_GETCLASSOBJECT)(REFCLSID, REFIID, void**);
    static PFN_GETCLASSOBJECT pfnGetClassObject =
        Export<PFN_GETCLASSOBJECT>(L"QvViewerControl.dll", "DllGetClassObject");
    CLSID clsid;
    CLSIDFromString(L"{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}", &clsid);
    IClassFactory* pFactory = NULL;
    IDispatch* pViewer = NULL;
    if (pfnGetClassObject == NULL ||
        FAILED(pfnGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&pFactory))))
        return "no class object";
    pFactory->CreateInstance(NULL, IID_IDispatch, reinterpret_cast<void**>(&pViewer));
    pFactory->Release();
    if (pViewer == NULL)
        return "no viewer";
    const std::wstring strMap = strFolder + L"\\Viewermap.xml";
    WriteBytes(strMap, "<ViewerMap><Viewer extensions=\".pdf\" program=\"notepad.exe\" /></ViewerMap>");
    winenv::TraceRecorder trace;
    for (const auto& call : {std::make_pair(3, strMap), std::make_pair(1, strFile)}) {
        VARIANT arg;
        arg.vt = VT_BSTR;
        arg.bstrVal = SysAllocString(call.second.c_str());
        DISPPARAMS params = {&arg, NULL, 1, 0};
        pViewer->Invoke(call.first, IID_NULL, 0, DISPATCH_METHOD, &params, NULL, NULL, NULL);
        VariantClear(&arg);
    }
    pViewer->Release();
    const auto events = trace.OfKind("viewer");
    if (events.size() != 2 || events[0].Get("path") != winenv::ToUtf8(strMap) ||
        events[1].Get("path") != winenv::ToUtf8(strFile))
        return "no viewer events for the paths";
    return Fields(events[0], {"loaded"}) + Fields(events[1], {"program", "launched"});
}

// The profile API on a file of that name. A new file is written in the ANSI code page, as on
// Windows, so the text in it is Chinese that code page holds; the name is only the file's.
std::string Profile(const std::wstring& strFile)
{
    const std::wstring strIni = strFile + L".profile.ini";
    DeleteFileW(strIni.c_str());
    WritePrivateProfileStringW(L"SIGN1", L"CONTENT", L"张工", strIni.c_str());
    wchar_t szValue[64] = L"";
    GetPrivateProfileStringW(L"SIGN1", L"CONTENT", L"(none)", szValue, 64, strIni.c_str());
    const bool bThere = GetFileAttributesW(strIni.c_str()) != INVALID_FILE_ATTRIBUTES;
    return std::string(bThere ? "file made, " : "no file, ") + winenv::ToUtf8(szValue) + " read back";
}

IQvPdfWatermark* CreateWatermark()
{
    IQvPdfWatermark* pWatermark = NULL;
    if (FAILED(qvclient::RegisterWatermarkClass()) ||
        FAILED(CoCreateInstance(CLSID_QvPdfWatermark, NULL, CLSCTX_INPROC_SERVER, __uuidof(IQvPdfWatermark),
            reinterpret_cast<void**>(&pWatermark))))
        Check(false, L"", "the watermark component is created");
    return pWatermark;
}

Outcome Run(IQvPdfWatermark* pWatermark, const std::wstring& strBase, const std::wstring& strName)
{
    const std::wstring strFolder = strBase + L"\\" + strName;
    const std::wstring strFile = strFolder + L"\\" + strName + L".pdf";
    Check(CreateDirectoryW(strFolder.c_str(), NULL) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS, strName,
        "the folder is made");
    WriteBytes(strFile, g_strPdf);
    Outcome outcome;
    if (pWatermark != NULL) {
        outcome.strWatermark = Watermark(pWatermark, strFile);
        outcome.strWatermarkMissing = Watermark(pWatermark, strFolder + L"\\" + strName + L" absent.pdf");
    }
    outcome.strSigned = Sign(strFile);
    outcome.strSpooled = Print(strFolder, strFile);
    outcome.strViewer = View(strFolder, strFile);
    outcome.strProfile = Profile(strFile);
    return outcome;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("usage: PathsOnWine FOLDER\n");
        return 1;
    }
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    const std::wstring strSample = argv[1] + std::wstring(L"\\sample.pdf");
    Check(pdfstamp::ondemand::MakeSamplePdf(winenv::ToUtf8(strSample), L"A-01", {L"body"}, 2), kNames[0],
        "pdfstamp.dll makes the sample PDF");
    g_strPdf = ReadBytes(strSample);
    IQvPdfWatermark* pWatermark = CreateWatermark();
    const Outcome reference = Run(pWatermark, argv[1], kNames[0]);
    // The reference itself: each function found its file (what it then does is the build's own).
    Check(reference.strWatermark.find("result=0x80070002") == std::string::npos, kNames[0], "watermark finds the file",
        reference.strWatermark);
    Check(reference.strWatermarkMissing.find("result=0x80070002") != std::string::npos, kNames[0],
        "watermark misses an absent file", reference.strWatermarkMissing);
    Check(reference.strSigned.find("cannot read the PDF") == std::string::npos, kNames[0], "SignPdf reads the PDF",
        reference.strSigned);
    // The reference is drawn on: a watermark and one signature.
    Check(reference.strWatermark.find("result=0x00000000") != std::string::npos, kNames[0],
        "the watermark is drawn", reference.strWatermark);
    Check(reference.strSigned.rfind("1 result=1 ", 0) == 0, kNames[0], "the signature is drawn",
        reference.strSigned);
    Check(reference.strSpooled.find("in the folder lists the file") != std::string::npos, kNames[0],
        "the spool file", reference.strSpooled);
    Check(reference.strViewer == "loaded=yes program=notepad.exe launched=no ", kNames[0], "the viewer",
        reference.strViewer);
    Check(reference.strProfile == "file made, 张工 read back", kNames[0], "the profile", reference.strProfile);
    const std::wstring strNames = argv[1] + std::wstring(L"\\names");
    CreateDirectoryW(strNames.c_str(), NULL);
    for (const wchar_t* pszName : kNames) {
        const Outcome outcome = Run(pWatermark, strNames, pszName);
        const struct {
            const char* pszWhat;
            const std::string& strGot;
            const std::string& strExpected;
        } rows[] = {
            {"watermark", outcome.strWatermark, reference.strWatermark},
            {"watermark of an absent file", outcome.strWatermarkMissing, reference.strWatermarkMissing},
            {"SignPdf", outcome.strSigned, reference.strSigned},
            {"PrintArrayFile", outcome.strSpooled, reference.strSpooled},
            {"viewer", outcome.strViewer, reference.strViewer},
            {"profile API", outcome.strProfile, reference.strProfile},
        };
        for (const auto& row : rows)
            Check(row.strGot == row.strExpected, pszName, row.pszWhat, row.strGot + " (ascii: " + row.strExpected + ")");
    }
    if (pWatermark != NULL)
        pWatermark->Release();
    qvclient::RevokeWatermarkClass();
    CoUninitialize();
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
