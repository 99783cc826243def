#include "pdfstamp/PdfStamp.h"

#include "PdfFile.h"
#include "StampDrawing.h"

namespace pdfstamp {
namespace {

StampResult Apply(const std::string& path, const std::vector<Stamp>& stamps, const Watermark* watermark)
{
    StampResult result;
    try {
        QPDF pdf;
        if (!OpenPdf(pdf, path, result.error))
            return result;
        if (!DrawStamps(pdf, stamps, watermark, result))
            return result;
        // Nothing drawn (every stamp skipped): the file is not rewritten.
        result.ok = result.drawn == 0 || ReplacePdf(pdf, path, result.error);
    } catch (const std::exception& e) {
        // qpdf reads objects lazily: damage deep in the file shows up only here.
        result.error = e.what();
        result.ok = false;
    }
    if (!result.ok)
        result.drawn = 0;
    return result;
}

} // namespace

StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps)
{
    return Apply(path, stamps, nullptr);
}

StampResult ApplyWatermark(const std::string& path, const Watermark& watermark)
{
    return Apply(path, {}, &watermark);
}

} // namespace pdfstamp
