#include "catalogue/LightFileQuery.h"

#include <comdef.h>

#include <QvATLHelper.h>
#include <QvString.h>
#include <ZORRTWrapper.h>

#include "catalogue/CurrentQuery.h"

#include "catalogue/LightFileSql.h"

int FindLightFileOfType(COtlObjectRef* pDocument, CString strFileType, int* pnLightFileID)
{
    CPlmSystemRef plmSystem;
    IQvCslTransactionPtr spTransaction;
    ITransactionQueryPtr spQuery;
    HRESULT hr = OpenCurrentQuery(plmSystem, spTransaction, spQuery);
    if (FAILED(hr))
        return hr;

    CString strSql;
    _bstr_t bstrClassName;
    pDocument->GetClassNameW(bstrClassName.GetAddress());
    ULONG nDocID = pDocument->GetID();

    try {
        LightFileDocClass eClass = GetLightFileDocClass(bstrClassName);
        if (eClass != LFDC_NONE) {
            // A 3D document keeps its viewable light file as STEP.
            if (eClass == LFDC_3DDOCUMENT && CStringHelper::BSTRCompare(strFileType, L"pdf", 0) == 0)
                strFileType = L"step";
            strSql.Format(CString(GetLightFileSql(eClass)) + LIGHTFILE_TYPE_FILTER_LOWER, LIGHTFILE_CLASS_ID,
                static_cast<int>(nDocID), static_cast<LPCWSTR>(strFileType));
        }

        spQuery->SetSqlText(_bstr_t(strSql));
        spQuery->Execute();

        VARIANT_BOOL bEof = VARIANT_TRUE;
        hr = spQuery->IsEof(&bEof);
        if (FAILED(hr) || bEof != VARIANT_FALSE)
            return 0;

        _variant_t varObjID;
        _variant_t varName;
        spQuery->GetFieldValue(_bstr_t(L"OBJ_ID"), &varObjID);
        spQuery->GetFieldValue(_bstr_t(L"name"), &varName);
        *pnLightFileID = CVariantHelper::VariantToLong(varObjID);
        return 1;
    } catch (_com_error&) {
        return 0;
    }
}
