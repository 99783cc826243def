// CString: construction, comparison, extraction, searching and modification.
#include <afx.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace {

const std::wstring::size_type npos = std::wstring::npos;

bool InSet(wchar_t ch, LPCWSTR pszSet)
{
    return pszSet != NULL && ch != L'\0' && std::wcschr(pszSet, ch) != NULL;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

} // namespace

CString::CString(LPCWSTR lpsz)
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz != NULL)
        m_str = lpsz;
}

CString::CString(LPCWSTR lpch, int nLength)
{
    if (lpch != NULL && nLength > 0)
        m_str.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCWSTR lpsz)
{
    if (lpsz == NULL)
        m_str.clear();
    else
        m_str = std::wstring(lpsz); // lpsz may point into this string
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    if (lpsz != NULL)
        m_str += std::wstring(lpsz);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_str.push_back(ch);
    return *this;
}

int CString::Compare(LPCWSTR psz) const
{
    int n = std::wcscmp(m_str.c_str(), psz == NULL ? L"" : psz);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    int n = _wcsicmp(m_str.c_str(), psz == NULL ? L"" : psz);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - iFirst);
}

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = Clamp(iFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - iFirst);
    return CString(m_str.c_str() + iFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return CString(m_str.c_str(), Clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const
{
    nCount = Clamp(nCount, 0, GetLength());
    return CString(m_str.c_str() + GetLength() - nCount, nCount);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart > GetLength()) {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == L'\0') {
        if (iStart < GetLength())
            return Mid(iStart);
        iStart = -1;
        return CString();
    }
    const wchar_t* p = m_str.c_str() + iStart;
    p += std::wcsspn(p, pszTokens);
    if (*p == L'\0') {
        iStart = -1;
        return CString();
    }
    size_t nToken = std::wcscspn(p, pszTokens);
    int iFirst = static_cast<int>(p - m_str.c_str());
    iStart = iFirst + static_cast<int>(nToken) + (p[nToken] != L'\0' ? 1 : 0);
    return CString(p, static_cast<int>(nToken));
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    size_t n = m_str.find(ch, static_cast<size_t>(iStart));
    return n == npos ? -1 : static_cast<int>(n);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (pszSub == NULL || iStart < 0 || iStart > GetLength())
        return -1;
    size_t n = m_str.find(pszSub, static_cast<size_t>(iStart));
    return n == npos ? -1 : static_cast<int>(n);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t n = m_str.rfind(ch);
    return n == npos ? -1 : static_cast<int>(n);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    size_t n = m_str.find_first_of(pszCharSet == NULL ? L"" : pszCharSet);
    return n == npos ? -1 : static_cast<int>(n);
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        _wcslwr_s(&m_str[0], m_str.size() + 1);
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        _wcsupr_s(&m_str[0], m_str.size() + 1);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && std::iswspace(static_cast<wint_t>(m_str[n])))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    size_t n = m_str.find_first_not_of(chTarget);
    m_str.erase(0, n == npos ? m_str.size() : n);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], pszTargets))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && std::iswspace(static_cast<wint_t>(m_str[n - 1])))
        --n;
    m_str.erase(n);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    size_t n = m_str.find_last_not_of(chTarget);
    m_str.erase(n == npos ? 0 : n + 1);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    size_t n = m_str.size();
    while (n > 0 && InSet(m_str[n - 1], pszTargets))
        --n;
    m_str.erase(n);
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int nCount = 0;
    for (wchar_t& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (pszOld == NULL || *pszOld == L'\0')
        return 0;
    const std::wstring strOld(pszOld);
    const std::wstring strNew(pszNew == NULL ? L"" : pszNew);
    int nCount = 0;
    std::wstring result;
    size_t pos = 0;
    for (size_t hit; (hit = m_str.find(strOld, pos)) != npos; pos = hit + strOld.size()) {
        result.append(m_str, pos, hit - pos);
        result += strNew;
        ++nCount;
    }
    if (nCount > 0) {
        result.append(m_str, pos, npos);
        m_str.swap(result);
    }
    return nCount;
}

int CString::Insert(int iIndex, wchar_t ch)
{
    iIndex = Clamp(iIndex, 0, GetLength());
    m_str.insert(static_cast<size_t>(iIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int iIndex, LPCWSTR psz)
{
    iIndex = Clamp(iIndex, 0, GetLength());
    if (psz != NULL)
        m_str.insert(static_cast<size_t>(iIndex), std::wstring(psz));
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    iIndex = Clamp(iIndex, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - iIndex);
    m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

void CString::Append(LPCWSTR psz)
{
    *this += psz;
}

void CString::Append(LPCWSTR psz, int nLength)
{
    if (psz != NULL && nLength > 0)
        m_str.append(psz, static_cast<size_t>(nLength));
}

LPWSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufferLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(static_cast<size_t>(nLength < 0 ? 0 : nLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::wcslen(m_str.c_str()));
    m_str.resize(static_cast<size_t>(Clamp(nNewLength, 0, GetLength())));
}

BSTR CString::AllocSysString() const
{
    BSTR bstr = ::SysAllocStringLen(m_str.c_str(), static_cast<UINT>(m_str.size()));
    if (bstr == NULL)
        AfxThrowMemoryException();
    return bstr;
}

CString operator+(const CString& str1, const CString& str2)
{
    CString s(str1);
    s += str2;
    return s;
}

CString operator+(const CString& str1, LPCWSTR psz2)
{
    CString s(str1);
    s += psz2;
    return s;
}

CString operator+(LPCWSTR psz1, const CString& str2)
{
    CString s(psz1);
    s += str2;
    return s;
}

CString operator+(const CString& str1, wchar_t ch2)
{
    CString s(str1);
    s += ch2;
    return s;
}

CString operator+(wchar_t ch1, const CString& str2)
{
    CString s(ch1);
    s += str2;
    return s;
}
