#include "pdfstamp/PdfStamp.h"

#include "CarriesDigitalSignature.h"
#include "MissingObjects.h"
#include "PdfEdit.h"
#include "PdfWarnings.h"
#include "StampDrawing.h"

namespace pdfstamp {
namespace {

std::string Join(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// One try at the file; with `whole`, the document is written whole even when it read cleanly.
StampResult Apply(const std::string& path, const std::vector<Stamp>& stamps, const Watermark* watermark, bool whole)
{
    StampResult result;
    try {
        std::unique_ptr<PdfEdit> edit = PdfEdit::Open(path, result.warnings, result.error, whole);
        if (!edit)
            return result;
        QPDF& pdf = edit->Document();
        if (CarriesDigitalSignature(pdf)) {
            // Rewriting would silently invalidate it; the user keeps a file whose signature holds.
            result.error = "the PDF carries a digital signature, left untouched so that it stays valid";
            return result;
        }
        // A repaired file that still lacks objects has lost pages or fonts: signing it would
        // hand out a complete-looking file that is not.
        std::vector<std::string> missing = result.warnings.empty() ? std::vector<std::string>{} : MissingObjects(pdf);
        if (!missing.empty()) {
            result.error = "the PDF is damaged beyond repair, objects missing (" + Join(missing) + "), left untouched";
            return result;
        }
        if (!DrawStamps(*edit, stamps, watermark, result))
            return result;
        // qpdf repaired what the drawing read: an update would keep the damage, a whole file does not.
        if (edit->IsUpdate() && pdf.anyWarnings())
            return Apply(path, stamps, watermark, true);
        // Nothing drawn (every stamp skipped): the file is not rewritten.
        result.ok = result.drawn == 0 || edit->Save(path, result.error);
        TakeWarnings(pdf, result.warnings);
    } catch (const std::exception& e) {
        // qpdf reads objects lazily: damage deep in the file shows up only here.
        result.error = std::string("cannot read the PDF: ") + e.what();
        result.ok = false;
    }
    if (!result.ok)
        result.drawn = 0;
    return result;
}

} // namespace

StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps)
{
    return Apply(path, stamps, nullptr, false);
}

StampResult ApplyWatermark(const std::string& path, const Watermark& watermark)
{
    return Apply(path, {}, &watermark, false);
}

} // namespace pdfstamp
