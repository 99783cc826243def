// The one way a light file reaches the disk: fetched, signed and, for PDFs, watermarked.
#pragma once

#include <afxwin.h>

#include <ComRef.h>

class CLightFileObj;

// 1 when the file is ready at strPath, 0 on failure (reported to the user or the client's error
// service). strFolder empty means the client's temporary folder.
int RetrieveLightFile(CLightFileObj* pLightFile, CString strFolder, CString& strPath);

// Writes every light file of the type of the document's current revision to disk (strFolder,
// empty for the client's temporary folder); *pstrPath names the last file written.
HRESULT RetrieveLightFiles(COtlObjectRef* pDocument, CString strFileType, CString* pstrPath, CString strFolder);

// The client's global parameter that switches the PDF watermark on; print reads it too.
extern const wchar_t WATERMARK_PARAM_NAME[]; // "NEEDWATER_DOWNLOADPDF"
