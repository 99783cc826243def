#include "signing/StrTokenizer.h"

#include <tchar.h>

CStrTokenizer::CStrTokenizer(wchar_t* pszText, LPCWSTR lpszDelimiters)
{
    wcsncpy_s(m_szDelimiters, lpszDelimiters, _TRUNCATE);
    m_pszNext = wcstok(pszText, m_szDelimiters);
}

CStrTokenizer::~CStrTokenizer()
{
}

wchar_t* CStrTokenizer::NextToken()
{
    wchar_t* pszToken = m_pszNext;
    m_pszNext = wcstok(NULL, m_szDelimiters);
    return pszToken;
}
