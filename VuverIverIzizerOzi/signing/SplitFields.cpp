#include "signing/SplitFields.h"

#include <tchar.h>

#include "signing/StrTokenizer.h"

void SplitFields(LPCWSTR lpszText, CStringArray& arrFields)
{
    size_t nLength = wcslen(lpszText);
    wchar_t* pszCopy = new wchar_t[nLength + 1];
    wcscpy_s(pszCopy, nLength + 1, lpszText);

    CStrTokenizer tokenizer(pszCopy, L",");
    while (tokenizer.HasMoreTokens())
        arrFields.SetAtGrow(arrFields.GetSize(), tokenizer.NextToken());

    delete[] pszCopy;
}
