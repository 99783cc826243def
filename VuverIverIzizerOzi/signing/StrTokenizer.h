// Walks the tokens of a writable text with wcstok; writes terminators into the text.
#pragma once

#include <afxwin.h>

class CStrTokenizer {
public:
    CStrTokenizer(wchar_t* pszText, LPCWSTR lpszDelimiters);
    virtual ~CStrTokenizer();

    BOOL HasMoreTokens() const { return m_pszNext != NULL; }
    // The current token; fetches the one after it.
    wchar_t* NextToken();

private:
    CStrTokenizer(const CStrTokenizer&);
    CStrTokenizer& operator=(const CStrTokenizer&);

    wchar_t* m_pszNext;
    wchar_t m_szDelimiters[32];
};
