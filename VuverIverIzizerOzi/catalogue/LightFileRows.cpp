#include "catalogue/LightFileRows.h"

#include <QvATLHelper.h>

CLightFileSqlRun::CLightFileSqlRun(COtlObjectRef* pDocument)
{
    pDocument->GetClassNameW(m_bstrClassName.GetAddress());
    m_nDocID = pDocument->GetID();
    m_eClass = GetLightFileDocClass(m_bstrClassName);
}

void CLightFileSqlRun::Run(ITransactionQueryPtr& spQuery, int nLightFileClassID, LPCWSTR lpszTypeFilter,
    LPCWSTR lpszFileType, HRESULT& hrLast)
{
    if (m_eClass != LFDC_NONE) {
        int nDocID = static_cast<int>(m_nDocID);
        if (lpszTypeFilter == NULL)
            m_strSql.Format(GetLightFileSql(m_eClass), nLightFileClassID, nDocID);
        else
            m_strSql.Format(CString(GetLightFileSql(m_eClass)) + lpszTypeFilter, nLightFileClassID, nDocID,
                lpszFileType);
    }
    hrLast = spQuery->SetSqlText(_bstr_t(m_strSql));
    hrLast = spQuery->Execute();
}

CLightFileObj* ReadLightFileRow(ITransactionQueryPtr& spQuery, const CLightFileSqlRun& sql,
    CLightDocumentRevObj*& pDocRev, CPtrList& lstDocRevs, CPtrList& lstLightFiles)
{
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
        pDocRev->m_strClassName = static_cast<LPCWSTR>(sql.m_bstrClassName);
        pDocRev->m_nDocID = sql.m_nDocID;
        pDocRev->m_nRevID = CVariantHelper::VariantToLong(varRevID);
        pDocRev->m_strFileType = CVariantHelper::VariantToString(varFileType);
    }

    CLightFileObj* pLightFile = new CLightFileObj;
    pDocRev->m_lstLightFile.AddTail(pLightFile);
    lstLightFiles.AddTail(pLightFile);
    pLightFile->m_pDocRev = pDocRev;
    pLightFile->m_strName = CVariantHelper::VariantToString(varName);
    pLightFile->m_nObjID = CVariantHelper::VariantToLong(varObjID);
    return pLightFile;
}

BOOL MoveToNextRow(ITransactionQueryPtr& spQuery, VARIANT_BOOL& bEof)
{
    if (FAILED(spQuery->MoveNext()))
        return FALSE;
    return SUCCEEDED(spQuery->IsEof(&bEof));
}
