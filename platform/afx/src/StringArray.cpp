// CStringArray: a growable array of CString.
#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CStringArray, CObject)

CStringArray::CStringArray() = default;

CStringArray::~CStringArray() = default;

void CStringArray::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    m_data.resize(static_cast<size_t>(nNewSize));
}

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
    SetAtGrow(nIndex, CString(newElement));
}

void CStringArray::SetAtGrow(INT_PTR nIndex, const CString& newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= GetSize())
        m_data.resize(static_cast<size_t>(nIndex) + 1);
    m_data[static_cast<size_t>(nIndex)] = newElement;
}

INT_PTR CStringArray::Add(LPCWSTR newElement)
{
    return Add(CString(newElement));
}

INT_PTR CStringArray::Add(const CString& newElement)
{
    m_data.push_back(newElement);
    return GetUpperBound();
}

INT_PTR CStringArray::Append(const CStringArray& src)
{
    INT_PTR nOldSize = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return nOldSize;
}

void CStringArray::InsertAt(INT_PTR nIndex, LPCWSTR newElement, INT_PTR nCount)
{
    InsertAt(nIndex, CString(newElement), nCount);
}

void CStringArray::InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0)
        AfxThrowInvalidArgException();
    // Inserting past the end first grows the array with empty strings.
    if (nIndex > GetSize())
        m_data.resize(static_cast<size_t>(nIndex));
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
        AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}
