// The library's entry points: C names, so the loader finds them by name (dlsym, GetProcAddress).
// PDFSTAMP_EXPORT is the build's way of publishing a name.
#include <pdfstamp/OnDemand.h>

#include <type_traits>

using namespace pdfstamp;

extern "C" PDFSTAMP_EXPORT void PdfStampApplyStamps(
    const std::string* path, const std::vector<Stamp>* stamps, StampResult* result)
{
    *result = ApplyStamps(*path, *stamps);
}

extern "C" PDFSTAMP_EXPORT void PdfStampApplyWatermark(
    const std::string* path, const Watermark* watermark, StampResult* result)
{
    *result = ApplyWatermark(*path, *watermark);
}

extern "C" PDFSTAMP_EXPORT bool PdfStampMakeSamplePdf(
    const std::string* path, const std::wstring* title, const std::vector<std::wstring>* lines, int pages)
{
    return MakeSamplePdf(*path, *title, *lines, pages);
}

static_assert(std::is_same_v<decltype(&PdfStampApplyStamps), ondemand::PFN_APPLYSTAMPS>);
static_assert(std::is_same_v<decltype(&PdfStampApplyWatermark), ondemand::PFN_APPLYWATERMARK>);
static_assert(std::is_same_v<decltype(&PdfStampMakeSamplePdf), ondemand::PFN_MAKESAMPLEPDF>);
