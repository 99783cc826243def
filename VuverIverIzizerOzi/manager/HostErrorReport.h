// Reports of failing client statuses to the client's error service.
#pragma once

#include <afxwin.h>

// Line numbers of the report sites, shown as "DocumentSelectDlg:<line>".
enum HostErrorSite {
    HES_RETRIEVE_CREATE_SYSTEM = 975,
    HES_RETRIEVE_READ_WATERMARK_PARAM = 980,
    HES_RETRIEVE_CREATE_WATERMARK = 995,
    HES_RETRIEVE_ADD_WATERMARK = 1002,
    HES_PRINT_CREATE_SYSTEM = 1136,
    HES_PRINT_READ_WATERMARK_PARAM = 1142
};

// Icon styles of the report (message-box icons).
const int HOST_ERROR_STYLE_EXCLAMATION = 48;
const int HOST_ERROR_STYLE_ERROR = 16;

// The client's global parameter that switches the PDF watermark on.
extern const wchar_t WATERMARK_PARAM_NAME[]; // "NEEDWATER_DOWNLOADPDF"

// TRUE for the client statuses that are never reported.
BOOL IsSilentHostStatus(HRESULT hrCode);

// Shows a fresh error list holding one record for hrCode.
void ReportHostError(HRESULT hrCode, int nLine, int nIconStyle);
// As ReportHostError with the error icon, unless the client's pending errors end with the same
// code: then those are shown instead.
void ReportHostErrorChained(HRESULT hrCode, int nLine);
