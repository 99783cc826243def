// CString formatting with the Windows C runtime's rules (%s is a wide string) and string
// resources.
#include <afxwin.h>

#include <vector>

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    // Most texts fit a buffer of twice the format's length: formatted once, straight into the
    // string. Only a longer one is counted first.
    const size_t nGuess = wcslen(pszFormat) * 2 + 64;
    m_str.resize(nGuess + 1);
    va_list argsTry;
    va_copy(argsTry, args);
    const int nTried = _vsnwprintf_s(&m_str[0], nGuess + 1, _TRUNCATE, pszFormat, argsTry);
    va_end(argsTry);
    if (nTried >= 0) {
        m_str.resize(static_cast<size_t>(nTried));
        return;
    }
    m_str.clear();
    va_list argsCount;
    va_copy(argsCount, args);
    int nLength = _vscwprintf(pszFormat, argsCount);
    va_end(argsCount);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1);
    int nWritten = _vsnwprintf_s(buffer.data(), buffer.size(), static_cast<size_t>(nLength), pszFormat, args);
    if (nWritten < 0)
        AfxThrowInvalidArgException();
    m_str.assign(buffer.data(), static_cast<size_t>(nWritten));
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadStringW truncates to the buffer; grow until the whole string fits.
    for (int nSize = 256;; nSize *= 2) {
        std::vector<wchar_t> buffer(static_cast<size_t>(nSize));
        int nLength = ::LoadStringW(hInstance, nID, buffer.data(), nSize);
        if (nLength <= 0) {
            m_str.clear();
            return FALSE;
        }
        if (nLength < nSize - 1) {
            m_str.assign(buffer.data(), static_cast<size_t>(nLength));
            return TRUE;
        }
    }
}
