#include <pdfstamp/OnDemand.h>

#include <string>

#include "EntryPoint.h"

namespace pdfstamp::ondemand {
namespace {

template <typename Function>
Function Entry(const char* name, std::string& error)
{
    return reinterpret_cast<Function>(FindEntryPoint(name, error));
}

} // namespace

StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps)
{
    StampResult result;
    if (const auto pfn = Entry<PFN_APPLYSTAMPS>("PdfStampApplyStamps", result.error))
        pfn(&path, &stamps, &result);
    return result;
}

StampResult ApplyWatermark(const std::string& path, const Watermark& watermark)
{
    StampResult result;
    if (const auto pfn = Entry<PFN_APPLYWATERMARK>("PdfStampApplyWatermark", result.error))
        pfn(&path, &watermark, &result);
    return result;
}

bool MakeSamplePdf(const std::string& path, const std::wstring& title, const std::vector<std::wstring>& lines,
    int pages)
{
    std::string error;
    const auto pfn = Entry<PFN_MAKESAMPLEPDF>("PdfStampMakeSamplePdf", error);
    return pfn != nullptr && pfn(&path, &title, &lines, pages);
}

} // namespace pdfstamp::ondemand
