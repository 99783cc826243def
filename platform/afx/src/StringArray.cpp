// CStringArray: a growable array of CString.
#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CStringArray, CObject)

CStringArray::CStringArray() = default;

CStringArray::~CStringArray() = default;

const CString& CStringArray::GetAt(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    return m_data[static_cast<size_t>(nIndex)];
}

CString& CStringArray::ElementAt(INT_PTR nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    return m_data[static_cast<size_t>(nIndex)];
}

void CStringArray::SetAtGrow(INT_PTR nIndex, LPCWSTR newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    CString strElement(newElement); // newElement may point into an element that growing moves
    if (nIndex >= GetSize())
        m_data.resize(static_cast<size_t>(nIndex) + 1);
    m_data[static_cast<size_t>(nIndex)] = strElement;
}

INT_PTR CStringArray::Add(const CString& newElement)
{
    m_data.push_back(newElement);
    return GetUpperBound();
}
