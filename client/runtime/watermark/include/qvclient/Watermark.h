// The client's watermark component: the COM class CLSID_QvPdfWatermark with IQvPdfWatermark.
// AddWatermark(path, style) puts the watermark text diagonally and semi-transparently across
// every page of the PDF at `path`, in place. Every style draws the same watermark; the style is
// only recorded in the trace. A file that is missing gives HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
// one that cannot be read or rewritten as a PDF gives E_FAIL, and in both cases the file is left
// as it was. Each call traces an event "watermark" (path, style, text, pages, result).
#pragma once

#include <objbase.h>

#include <string>

namespace qvclient {

// Makes the class available to CoCreateInstance (CLSCTX_INPROC_SERVER, multiple use). Registering
// twice keeps the first registration and returns S_OK.
HRESULT RegisterWatermarkClass();
void RevokeWatermarkClass();

// The watermark text. Until it is set, and after it is set empty, the user's login name and
// today's date ("张工 2026-12-05").
void SetWatermarkText(const std::wstring& text);
std::wstring GetWatermarkText();
// "WHO YYYY-MM-DD" with today's local date; the date alone for nobody.
std::wstring MakeWatermarkText(const std::wstring& who);

} // namespace qvclient
