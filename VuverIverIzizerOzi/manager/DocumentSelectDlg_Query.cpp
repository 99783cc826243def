// CDocumentSelectDlg::QueryLightFiles: the light files of one document for the manager's tree.
#include "manager/DocumentSelectDlg.h"

#include "catalogue/CurrentQuery.h"
#include "catalogue/LightFileRows.h"

HRESULT CDocumentSelectDlg::QueryLightFiles(COtlObjectRef* pDocument, CLightDocumentRevObj** ppDocRev)
{
    CPlmSystemRef plmSystem;
    IQvCslTransactionPtr spTransaction;
    ITransactionQueryPtr spQuery;
    HRESULT hr = OpenCurrentQuery(plmSystem, spTransaction, spQuery);
    if (FAILED(hr))
        return hr;

    CLightFileSqlRun sql(pDocument);
    try {
        sql.Run(spQuery, m_nLightFileClassID, NULL, NULL, hr);

        VARIANT_BOOL bEof = VARIANT_TRUE;
        HRESULT hrFirstEof = spQuery->IsEof(&bEof);
        if (FAILED(hrFirstEof))
            return 0;

        *ppDocRev = NULL;
        while (bEof == VARIANT_FALSE) {
            ReadLightFileRow(spQuery, sql, *ppDocRev, m_lstDocRevObj, m_lstLightFileObj);
            // The records read so far stay listed when the cursor breaks off.
            if (!MoveToNextRow(spQuery, bEof))
                return hrFirstEof;
        }
    } catch (_com_error&) {
        return 0;
    }
    return 0;
}
