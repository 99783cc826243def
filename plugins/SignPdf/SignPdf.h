// The signing plug-in's one export. The client loads "SignPdf.dll" by name and calls "SignPdf"
// with the PDF and the job file; see README.md for the job's keys and the defaults.
#pragma once

#include <windows.h>

// Results: the number of signatures drawn (0 or more) when the PDF was signed or there was
// nothing to draw; SIGNPDF_E_PDF when the PDF cannot be read or written (it is left exactly as
// it was); SIGNPDF_E_JOB when the job file does not exist or an argument is null.
#define SIGNPDF_E_PDF (-1)
#define SIGNPDF_E_JOB (-2)

extern "C" __declspec(dllexport) int SignPdf(const wchar_t* pdfPath, const wchar_t* jobPath);

typedef int (*PFN_SIGNPDF)(const wchar_t* pdfPath, const wchar_t* jobPath);
