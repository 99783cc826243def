// CDocumentSelectDlg::QueryLightFiles: the light files of one document for the manager's tree.
#include "manager/DocumentSelectDlg.h"

#include <comdef.h>

#include <QvATLHelper.h>
#include <ZORRTWrapper.h>

#include "catalogue/CurrentQuery.h"

#include "catalogue/LightFileQuery.h"
#include "catalogue/LightFileSql.h"

HRESULT CDocumentSelectDlg::QueryLightFiles(COtlObjectRef* pDocument, CLightDocumentRevObj** ppDocRev)
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
        if (eClass != LFDC_NONE)
            strSql.Format(GetLightFileSql(eClass), m_nLightFileClassID, static_cast<int>(nDocID));

        spQuery->SetSqlText(_bstr_t(strSql));
        spQuery->Execute();

        VARIANT_BOOL bEof = VARIANT_TRUE;
        HRESULT hrFirstEof = spQuery->IsEof(&bEof);
        if (FAILED(hrFirstEof))
            return 0;

        *ppDocRev = NULL;
        while (bEof == VARIANT_FALSE) {
            _variant_t varObjID;
            _variant_t varName;
            spQuery->GetFieldValue(_bstr_t(L"OBJ_ID"), &varObjID);
            spQuery->GetFieldValue(_bstr_t(L"name"), &varName);

            if (*ppDocRev == NULL) {
                _variant_t varRevID;
                _variant_t varFileType;
                spQuery->GetFieldValue(_bstr_t(L"roleB_id"), &varRevID);
                spQuery->GetFieldValue(_bstr_t(L"filetype"), &varFileType);

                CLightDocumentRevObj* pDocRev = new CLightDocumentRevObj;
                *ppDocRev = pDocRev;
                m_lstDocRevObj.AddTail(pDocRev);
                pDocRev->m_strClassName = static_cast<LPCWSTR>(bstrClassName);
                pDocRev->m_nDocID = nDocID;
                pDocRev->m_nRevID = CVariantHelper::VariantToLong(varRevID);
                pDocRev->m_strFileType = CVariantHelper::VariantToString(varFileType);
            }

            CLightFileObj* pLightFile = new CLightFileObj;
            (*ppDocRev)->m_lstLightFile.AddTail(pLightFile);
            m_lstLightFileObj.AddTail(pLightFile);
            pLightFile->m_pDocRev = *ppDocRev;
            pLightFile->m_strName = CVariantHelper::VariantToString(varName);
            pLightFile->m_nObjID = CVariantHelper::VariantToLong(varObjID);

            // The records read so far stay listed when the cursor breaks off.
            if (FAILED(spQuery->MoveNext()))
                return hrFirstEof;
            if (FAILED(spQuery->IsEof(&bEof)))
                return hrFirstEof;
        }
    } catch (_com_error&) {
        return 0;
    }
    return 0;
}
