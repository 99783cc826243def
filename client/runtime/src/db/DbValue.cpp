#include "qvclient/Database.h"

#include <cwctype>
#include <limits>

namespace qvclient {

DbValue DbValue::Integer(LONGLONG value)
{
    DbValue v;
    v.type = Type::Integer;
    v.integer = value;
    return v;
}

DbValue DbValue::Real(double value)
{
    DbValue v;
    v.type = Type::Real;
    v.real = value;
    return v;
}

DbValue DbValue::Text(std::wstring value)
{
    DbValue v;
    v.type = Type::Text;
    v.text = std::move(value);
    return v;
}

DbValue DbValue::Blob(std::vector<BYTE> value)
{
    DbValue v;
    v.type = Type::Blob;
    v.blob = std::move(value);
    return v;
}

HRESULT DbValueToVariant(const DbValue& value, VARIANT* pvar)
{
    if (pvar == nullptr)
        return E_POINTER;
    VariantInit(pvar);
    switch (value.type) {
    case DbValue::Type::Null:
        pvar->vt = VT_NULL;
        return S_OK;
    case DbValue::Type::Integer:
        if (value.integer >= std::numeric_limits<LONG>::min() && value.integer <= std::numeric_limits<LONG>::max()) {
            pvar->vt = VT_I4;
            pvar->lVal = static_cast<LONG>(value.integer);
        } else {
            pvar->vt = VT_I8;
            pvar->llVal = value.integer;
        }
        return S_OK;
    case DbValue::Type::Real:
        pvar->vt = VT_R8;
        pvar->dblVal = value.real;
        return S_OK;
    case DbValue::Type::Text: {
        BSTR bstr = SysAllocStringLen(value.text.data(), static_cast<UINT>(value.text.size()));
        if (bstr == nullptr)
            return E_OUTOFMEMORY;
        pvar->vt = VT_BSTR;
        pvar->bstrVal = bstr;
        return S_OK;
    }
    case DbValue::Type::Blob: {
        SAFEARRAY* psa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(value.blob.size()));
        if (psa == nullptr)
            return E_OUTOFMEMORY;
        void* pData = nullptr;
        if (!value.blob.empty() && SUCCEEDED(SafeArrayAccessData(psa, &pData))) {
            std::copy(value.blob.begin(), value.blob.end(), static_cast<BYTE*>(pData));
            SafeArrayUnaccessData(psa);
        }
        pvar->vt = VT_ARRAY | VT_UI1;
        pvar->parray = psa;
        return S_OK;
    }
    }
    return E_UNEXPECTED;
}

int IDbCursor::FindColumn(std::wstring_view name) const
{
    const int nCount = GetColumnCount();
    for (int i = 0; i < nCount; ++i) {
        const std::wstring column = GetColumnName(i);
        if (column.size() != name.size())
            continue;
        bool bEqual = true;
        for (size_t k = 0; k < name.size() && bEqual; ++k)
            bEqual = std::towlower(static_cast<wint_t>(column[k])) == std::towlower(static_cast<wint_t>(name[k]));
        if (bEqual)
            return i;
    }
    return -1;
}

} // namespace qvclient
