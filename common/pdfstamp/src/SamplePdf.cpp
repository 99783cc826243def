#include "pdfstamp/PdfStamp.h"

#include "PdfEdit.h"
#include "StampDrawing.h"

#include <qpdf/QPDFPageDocumentHelper.hh>

namespace pdfstamp {

bool MakeSamplePdf(const std::string& path, const std::wstring& title, const std::vector<std::wstring>& lines, int pages)
{
    if (pages < 1)
        return false;
    try {
        auto made = std::make_unique<QPDF>();
        QPDF& pdf = *made;
        pdf.emptyPDF();
        QPDFPageDocumentHelper document(pdf);
        std::vector<Stamp> stamps;
        for (int n = 1; n <= pages; ++n) {
            QPDFObjectHandle page = pdf.makeIndirectObject(QPDFObjectHandle::parse(
                "<< /Type /Page /MediaBox [0 0 595 842] /Resources << >> >>"));
            page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, "0.8 w 56 770 m 539 770 l S\n"));
            document.addPage(QPDFPageObjectHelper(page), false);

            TextStamp heading;
            heading.text = title;
            heading.fontName = L"SimHei";
            heading.fontSize = 18;
            heading.x = 56;
            heading.y = 780;
            heading.page = n;
            stamps.push_back(heading);
            TextStamp number = heading;
            number.text = L"- " + std::to_wstring(n) + L" / " + std::to_wstring(pages) + L" -";
            number.fontName = L"SimSun";
            number.fontSize = 10;
            number.x = 270;
            number.y = 30;
            stamps.push_back(number);
            double y = 740;
            for (const std::wstring& line : lines) {
                if (y < 60)
                    break;
                TextStamp text = number;
                text.text = line;
                text.fontSize = 12;
                text.x = 56;
                text.y = y;
                stamps.push_back(text);
                y -= 18;
            }
        }
        PdfEdit edit(std::move(made));
        StampResult result;
        if (!DrawStamps(edit, stamps, nullptr, result) || !result.skipped.empty())
            return false;
        std::string error;
        return edit.Save(path, error);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace pdfstamp
