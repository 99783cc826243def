#include "PdfWatermark.h"
#include "MarkForPdf.h"

#include "qvclient/Watermark.h"

#include <pdfstamp/OnDemand.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <cstdio>

namespace qvclient {

STDMETHODIMP CPdfWatermark::AddWatermark(BSTR bstrPdfPath, LONG nStyle)
{
    const std::wstring strPath = bstrPdfPath ? bstrPdfPath : L"";
    const std::wstring strText = GetWatermarkText();
    HRESULT hr = S_OK;
    pdfstamp::StampResult result;
    // The file is looked up by its wide name: a narrow one is the ANSI code page on Windows, where
    // most Chinese names of the vault do not fit.
    const DWORD dwAttributes = strPath.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(strPath.c_str());
    if (strPath.empty()) {
        hr = E_INVALIDARG;
    } else if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        hr = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    } else {
        pdfstamp::Watermark watermark;
        watermark.text = strText;
        MakeMarkFor(strPath, watermark.mark);
        result = pdfstamp::ondemand::ApplyWatermark(winenv::ToPosixPath(strPath), watermark);
        hr = result.ok ? S_OK : E_FAIL;
    }
    char szResult[16];
    std::snprintf(szResult, sizeof szResult, "0x%08X", static_cast<unsigned>(hr));
    winenv::TraceEvent event{"watermark", {{"path", winenv::ToUtf8(strPath)}, {"style", std::to_string(nStyle)},
                                                 {"text", winenv::ToUtf8(strText)}, {"pages", std::to_string(result.drawn)},
                                                 {"result", szResult}, {"error", result.error}}};
    // Only a repaired file or a missing character has any: other transcripts stay as they were.
    std::string strWarnings;
    for (const std::string& line : result.warnings)
        strWarnings += (strWarnings.empty() ? "" : "; ") + line;
    if (!strWarnings.empty())
        event.fields.emplace_back("warnings", strWarnings);
    winenv::Trace(event);
    return hr;
}

} // namespace qvclient
