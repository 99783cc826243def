#include "catalogue/LightFileQuery.h"

#include <QvATLHelper.h>
#include <QvString.h>

#include "catalogue/CurrentQuery.h"
#include "catalogue/LightFileRows.h"

int FindLightFileOfType(COtlObjectRef* pDocument, CString strFileType, int* pnLightFileID)
{
    CPlmSystemRef plmSystem;
    IQvCslTransactionPtr spTransaction;
    ITransactionQueryPtr spQuery;
    HRESULT hr = OpenCurrentQuery(plmSystem, spTransaction, spQuery);
    if (FAILED(hr))
        return hr;

    CLightFileSqlRun sql(pDocument);
    try {
        // A 3D document keeps its viewable light file as STEP.
        if (sql.m_eClass == LFDC_3DDOCUMENT && CStringHelper::BSTRCompare(strFileType, L"pdf", 0) == 0)
            strFileType = L"step";
        sql.Run(spQuery, LIGHTFILE_CLASS_ID, LIGHTFILE_TYPE_FILTER_LOWER, strFileType, hr);

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
