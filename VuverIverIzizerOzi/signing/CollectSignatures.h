// Reads the signatures given on a document revision into its m_lstSignInfo, once per record.
#pragma once

#include <afxwin.h>

class CLightDocumentRevObj;

// 1 when collected, 0 when the record was already collected, a failing status when no query
// could be made, the first IsEof's status when a row loop broke off.
HRESULT CollectSignatures(CLightDocumentRevObj& docRev);
