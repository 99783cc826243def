// The document-list lookup: every light file of one type of a document, written to disk.
#include "manager/RetrieveLightFile.h"

#include "catalogue/AutoClean.h"
#include "catalogue/CurrentQuery.h"
#include "catalogue/LightFileQuery.h"
#include "catalogue/LightFileRows.h"

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

    CLightFileSqlRun sql(pDocument);
    try {
        sql.Run(spQuery, LIGHTFILE_CLASS_ID, LIGHTFILE_TYPE_FILTER, strFileType, hrLast);

        VARIANT_BOOL bEof = VARIANT_TRUE;
        HRESULT hrFirstEof = spQuery->IsEof(&bEof);
        hrLast = hrFirstEof;
        if (FAILED(hrFirstEof))
            return 0;

        CLightDocumentRevObj* pDocRev = NULL;
        while (bEof == VARIANT_FALSE) {
            CLightFileObj* pLightFile = ReadLightFileRow(spQuery, sql, pDocRev, lstDocRevs, lstLightFiles);

            // Fetched while the cursor stands on its row; a failure is reported by the retrieval.
            RetrieveLightFile(pLightFile, strFolder, *pstrPath);

            if (!MoveToNextRow(spQuery, bEof))
                return hrFirstEof;
        }
    } catch (_com_error&) {
        return hrLast;
    }
    return 0;
}
