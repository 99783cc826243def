// What the catalogue's three light file queries share: the document's text chosen, formatted and
// run, and the rows read into records.
#pragma once

#include <afxwin.h>
#include <comdef.h>

#include <ComRef.h>
#include <ZORRTWrapper.h>

#include "catalogue/LightFileObj.h"
#include "catalogue/LightFileSql.h"

// The light file SQL of one document. Declared after the query, so that the class name and then
// the text are released before the query.
class CLightFileSqlRun {
public:
    // Reads the document's class name, then its id, and chooses the class by the name.
    explicit CLightFileSqlRun(COtlObjectRef* pDocument);

    // Formats the class's text (followed by lpszTypeFilter and the file type when the filter is
    // not NULL; an empty text for any other class), then SetSqlText and Execute, whose statuses
    // go to hrLast and stop nothing. Throws _com_error as the query does.
    void Run(ITransactionQueryPtr& spQuery, int nLightFileClassID, LPCWSTR lpszTypeFilter, LPCWSTR lpszFileType,
        HRESULT& hrLast);

    CString m_strSql;
    _bstr_t m_bstrClassName;
    ULONG m_nDocID;
    LightFileDocClass m_eClass;
};

// Reads the current row into a new light file record, listed in its revision record and in
// lstLightFiles. The first row (pDocRev NULL) makes the revision record, listed in lstDocRevs.
CLightFileObj* ReadLightFileRow(ITransactionQueryPtr& spQuery, const CLightFileSqlRun& sql,
    CLightDocumentRevObj*& pDocRev, CPtrList& lstDocRevs, CPtrList& lstLightFiles);

// MoveNext, then IsEof into bEof. FALSE when either fails.
BOOL MoveToNextRow(ITransactionQueryPtr& spQuery, VARIANT_BOOL& bEof);
