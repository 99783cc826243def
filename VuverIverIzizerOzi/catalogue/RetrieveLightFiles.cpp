// The document-list lookup: every light file of one type of a document, written to disk.
#include "catalogue/LightFileQuery.h"

#include <comdef.h>

#include <QvATLHelper.h>
#include <ZORRTWrapper.h>

#include "catalogue/CurrentQuery.h"

#include "catalogue/AutoClean.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/LightFileSql.h"
#include "manager/RetrieveLightFile.h"

HRESULT RetrieveLightFiles(COtlObjectRef* pDocument, CString strFileType, CString* pstrPath, CString strFolder)
{
    CPlmSystemRef plmSystem;

    // Light file records are freed after the revision record, which never reads them on the way.
    CPtrList lstLightFiles(10);
    CPtrListAutoClean<CLightFileObj> cleanLightFiles(&lstLightFiles);
    CPtrList lstDocRevs(10);
    CPtrListAutoClean<CLightDocumentRevObj> cleanDocRevs(&lstDocRevs);

    IQvCslTransactionPtr spTransaction;
    ITransactionQueryPtr spQuery;
    HRESULT hr = OpenCurrentQuery(plmSystem, spTransaction, spQuery);
    if (FAILED(hr))
        return hr;
    HRESULT hrLast = hr;

    CString strSql;
    _bstr_t bstrClassName;
    pDocument->GetClassNameW(bstrClassName.GetAddress());
    ULONG nDocID = pDocument->GetID();

    try {
        LightFileDocClass eClass = GetLightFileDocClass(bstrClassName);
        if (eClass != LFDC_NONE) {
            strSql.Format(CString(GetLightFileSql(eClass)) + LIGHTFILE_TYPE_FILTER, LIGHTFILE_CLASS_ID,
                static_cast<int>(nDocID), static_cast<LPCWSTR>(strFileType));
        }

        hrLast = spQuery->SetSqlText(_bstr_t(strSql));
        hrLast = spQuery->Execute();

        VARIANT_BOOL bEof = VARIANT_TRUE;
        HRESULT hrFirstEof = spQuery->IsEof(&bEof);
        hrLast = hrFirstEof;
        if (FAILED(hrFirstEof))
            return 0;

        CLightDocumentRevObj* pDocRev = NULL;
        while (bEof == VARIANT_FALSE) {
            _variant_t varObjID;
            _variant_t varName;
            spQuery->GetFieldValue(_bstr_t(L"OBJ_ID"), &varObjID);
            spQuery->GetFieldValue(_bstr_t(L"name"), &varName);

            if (pDocRev == NULL) {
                _variant_t varRevID;
                _variant_t varFileType;
                spQuery->GetFieldValue(_bstr_t(L"roleB_id"), &varRevID);
                spQuery->GetFieldValue(_bstr_t(L"filetype"), &varFileType);

                pDocRev = new CLightDocumentRevObj;
                lstDocRevs.AddTail(pDocRev);
                pDocRev->m_strClassName = static_cast<LPCWSTR>(bstrClassName);
                pDocRev->m_nDocID = nDocID;
                pDocRev->m_nRevID = CVariantHelper::VariantToLong(varRevID);
                pDocRev->m_strFileType = CVariantHelper::VariantToString(varFileType);
            }

            CLightFileObj* pLightFile = new CLightFileObj;
            lstLightFiles.AddTail(pLightFile);
            pDocRev->m_lstLightFile.AddTail(pLightFile);
            pLightFile->m_pDocRev = pDocRev;
            pLightFile->m_strName = CVariantHelper::VariantToString(varName);
            pLightFile->m_nObjID = CVariantHelper::VariantToLong(varObjID);

            // Fetched while the cursor stands on its row; a failure is reported by the retrieval.
            RetrieveLightFile(pLightFile, strFolder, *pstrPath);

            if (FAILED(spQuery->MoveNext()))
                return hrFirstEof;
            if (FAILED(spQuery->IsEof(&bEof)))
                return hrFirstEof;
        }
    } catch (_com_error&) {
        return hrLast;
    }
    return 0;
}
