// x86 Windows: the drawing libraries are cross-built for x64 only, so no signature is drawn, the PDF
// is left as it is, and each signature is reported as not drawn with where the job places it. A PDF that
// cannot be opened is reported as the Linux plug-in reports it.
#include "../SignatureStamping.h"

#include <winenv/Trace.h>

namespace {

std::string SystemMessage(DWORD dwError)
{
    wchar_t* pszText = NULL;
    DWORD cch = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
            FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError, 0, reinterpret_cast<LPWSTR>(&pszText), 0, NULL);
    std::wstring strText = cch != 0 ? std::wstring(pszText, cch) : L"error " + std::to_wstring(dwError);
    LocalFree(pszText);
    while (!strText.empty() && (strText.back() == L'\n' || strText.back() == L'\r' || strText.back() == L'.'))
        strText.pop_back();
    return winenv::ToUtf8(strText);
}

} // namespace

CStampOutcome StampSignatures(LPCWSTR lpszPdfPath, const std::vector<CSignJobEntry>& entries)
{
    CStampOutcome outcome;
    HANDLE hFile = CreateFileW(lpszPdfPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        outcome.m_strError = "cannot read the PDF: " + SystemMessage(GetLastError());
        return outcome;
    }
    CloseHandle(hFile);
    outcome.m_bOk = true;
    outcome.m_drawn.assign(entries.size(), false);
    outcome.m_strNotDrawn = "not drawn, this build has no PDF drawing";
    return outcome;
}
