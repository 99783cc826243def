#include "catalogue/PlainFileName.h"

BOOL IsPlainFileName(const CString& strName)
{
    return !strName.IsEmpty() && strName.FindOneOf(L"\\/") < 0 && strName != L"." && strName != L"..";
}
