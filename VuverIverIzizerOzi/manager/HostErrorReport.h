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

// Client statuses that are never reported.
const HRESULT HOST_SILENT_STATUSES[] = {
    static_cast<HRESULT>(0x83080132), static_cast<HRESULT>(0x83070101), static_cast<HRESULT>(0x83250001)};

// TRUE for HOST_SILENT_STATUSES.
BOOL IsSilentHostStatus(HRESULT hrCode);

// Shows a fresh error list holding one record for hrCode, with a message-box icon style
// (MB_ICONEXCLAMATION, MB_ICONERROR).
void ReportHostError(HRESULT hrCode, int nLine, int nIconStyle);
// As ReportHostError with the error icon, unless the client's pending errors end with the same
// code: then those are shown instead.
void ReportHostErrorChained(HRESULT hrCode, int nLine);
