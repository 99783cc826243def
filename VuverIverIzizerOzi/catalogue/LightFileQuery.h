// Light file queries for one document, run on the client's current transaction.
#pragma once

#include <afxwin.h>

#include <ComRef.h>

class CLightFileObj;

// Class id of light file objects (ROLEB_CLASS_ID of the iteration-file links).
const int LIGHTFILE_CLASS_ID = 5250;

// 1 when the current revision of the document has a light file of the type ("pdf", "dwg",
// "step"; a 3D document's "pdf" is its "step"), with *pnLightFileID set to the first one's id;
// 0 when not or when the query failed; a failing status when no query could be made.
int FindLightFileOfType(COtlObjectRef* pDocument, CString strFileType, int* pnLightFileID);
