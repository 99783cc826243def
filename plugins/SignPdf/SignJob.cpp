#include "SignJob.h"

#include <cwchar>
#include <cwctype>

namespace {

// A key that is absent reads as this default, which no job writes.
const wchar_t kAbsent[] = L"\x01";

// The defaults a signature gets for what its section leaves out.
const wchar_t kDefaultFont[] = L"宋体";   // the default font of Chinese Windows documents
const double kDefaultFontSize = 10.5;     // 五号, the body size of Chinese documents
const double kDefaultPosition = 36;       // half an inch in from the lower-left corner

std::wstring ReadString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszJobPath)
{
    wchar_t szValue[4096];
    GetPrivateProfileStringW(lpszSection, lpszKey, kAbsent, szValue, _countof(szValue), lpszJobPath);
    return szValue;
}

bool IsAbsent(const std::wstring& strValue)
{
    return strValue == kAbsent;
}

// A number as the job writes it: fields are copied untrimmed, so " 200" is 200. Absent or not a
// number: the default.
double ReadNumber(LPCWSTR lpszSection, LPCWSTR lpszKey, double dDefault, LPCWSTR lpszJobPath)
{
    std::wstring strValue = ReadString(lpszSection, lpszKey, lpszJobPath);
    if (IsAbsent(strValue))
        return dDefault;
    wchar_t* pEnd = nullptr;
    double dValue = std::wcstod(strValue.c_str(), &pEnd);
    return pEnd == strValue.c_str() ? dDefault : dValue;
}

// A negative size is a LOGFONT height: the character height in pixels at the 96 dpi of the
// screen the signature was laid out on, so -16 is 12 points, as MulDiv(pt, 96, 72) gives back.
double FontSizeInPoints(double dJobSize)
{
    return dJobSize < 0 ? -dJobSize * 72.0 / 96.0 : dJobSize;
}

int ReadInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault, LPCWSTR lpszJobPath)
{
    return static_cast<int>(GetPrivateProfileIntW(lpszSection, lpszKey, nDefault, lpszJobPath));
}

void ReadPlacement(CSignJobEntry& entry, LPCWSTR lpszSection, LPCWSTR lpszJobPath)
{
    entry.m_dX = ReadNumber(lpszSection, L"X", kDefaultPosition, lpszJobPath);
    entry.m_dY = ReadNumber(lpszSection, L"Y", kDefaultPosition, lpszJobPath);
    entry.m_dWidth = ReadNumber(lpszSection, L"WIDTH", 0, lpszJobPath);
    entry.m_dHeight = ReadNumber(lpszSection, L"HEIGHT", 0, lpszJobPath);
    // Page 0 (or none) is the first page: the drawing's title block and a document's cover
    // sheet, where approvals are signed.
    int nPage = ReadInt(lpszSection, L"Page", 1, lpszJobPath);
    entry.m_nPage = nPage == 0 ? 1 : nPage;
}

} // namespace

CSignJob ReadSignJob(LPCWSTR lpszJobPath)
{
    CSignJob job;
    job.m_nDeclared = ReadInt(L"PDFSIGN", L"NUMBER", 0, lpszJobPath);
    for (int n = 1; n <= job.m_nDeclared; ++n) {
        wchar_t szSection[32];
        std::swprintf(szSection, _countof(szSection), L"SIGN%d", n);
        CSignJobEntry entry;
        entry.m_nSection = n;

        std::wstring strImage = ReadString(szSection, L"IMAGE", lpszJobPath);
        std::wstring strContent = ReadString(szSection, L"CONTENT", lpszJobPath);
        if (!IsAbsent(strImage)) {
            if (strImage.empty()) {
                // The picture could not be fetched before the job was written.
                job.m_skipped.push_back(std::wstring(szSection) + L": no picture file");
                continue;
            }
            entry.m_nKind = CSignJobEntry::Picture;
            entry.m_strImage = strImage;
        } else if (!IsAbsent(strContent)) {
            if (strContent.empty()) {
                job.m_skipped.push_back(std::wstring(szSection) + L": empty text");
                continue;
            }
            entry.m_nKind = CSignJobEntry::Text;
            entry.m_strContent = strContent;
            std::wstring strFont = ReadString(szSection, L"FONT", lpszJobPath);
            entry.m_strFont = IsAbsent(strFont) || strFont.empty() ? kDefaultFont : strFont;
            double dSize = FontSizeInPoints(ReadNumber(szSection, L"FontSize", kDefaultFontSize, lpszJobPath));
            entry.m_dFontSize = dSize > 0 ? dSize : kDefaultFontSize;
            entry.m_nColorR = ReadInt(szSection, L"COLOR_R", 0, lpszJobPath);
            entry.m_nColorG = ReadInt(szSection, L"COLOR_G", 0, lpszJobPath);
            entry.m_nColorB = ReadInt(szSection, L"COLOR_B", 0, lpszJobPath);
        } else {
            // No section, or one of a kind the job does not describe.
            job.m_skipped.push_back(std::wstring(szSection) + L": absent");
            continue;
        }
        ReadPlacement(entry, szSection, lpszJobPath);
        job.m_entries.push_back(entry);
    }
    return job;
}
