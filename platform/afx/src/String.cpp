// CString: construction, comparison, extraction and searching.
#include <afx.h>

#include <cwchar>

namespace {

const std::wstring::size_type npos = std::wstring::npos;

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

CString& CString::operator=(LPCWSTR lpsz)
{
    if (lpsz == NULL)
        m_str.clear();
    else
        m_str.assign(lpsz); // lpsz may point into this string: assign copies before it frees
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    if (lpsz != NULL)
        m_str.append(lpsz); // as assign, safe when lpsz points into this string
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

CString CString::Left(int nCount) const
{
    return CString(m_str.c_str(), Clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const
{
    nCount = Clamp(nCount, 0, GetLength());
    return CString(m_str.c_str() + GetLength() - nCount, nCount);
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    size_t n = m_str.find(ch, static_cast<size_t>(iStart));
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
