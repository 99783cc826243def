#include "BookContents.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <pdfstamp/PdfStamp.h>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace printplugin {
namespace {

const double kPageWidth = 595;
const double kPageHeight = 842;
const double kLeft = 56;
const double kPageColumn = 500;
const double kFirstLineY = 740;
const double kLineStep = 19;
// Wide (CJK) characters at 11 pt: 36 fit between the left margin and the page column.
const size_t kMostCharacters = 36;

// The blank pages go through a file: the stamping library draws on files.
class ScratchPdf {
public:
    ScratchPdf()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/book-contents-XXXXXX.pdf";
        const int fd = mkstemps(name.data(), 4);
        if (fd < 0)
            throw std::runtime_error("cannot make a scratch file for the contents in " + name);
        close(fd);
        m_path = name;
    }
    ~ScratchPdf() { unlink(m_path.c_str()); }
    ScratchPdf(const ScratchPdf&) = delete;
    ScratchPdf& operator=(const ScratchPdf&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

pdfstamp::TextStamp Text(const std::wstring& text, double x, double y, double size, int page)
{
    pdfstamp::TextStamp stamp;
    stamp.text = text;
    stamp.fontName = L"SimSun";
    stamp.fontSize = size;
    stamp.x = x;
    stamp.y = y;
    stamp.page = page;
    return stamp;
}

} // namespace

int ContentsPageCount(size_t lines)
{
    return lines == 0 ? 1 : static_cast<int>((lines + kContentsLinesPerPage - 1) / kContentsLinesPerPage);
}

std::unique_ptr<QPDF> MakeContentsPages(const std::vector<ContentsLine>& lines, std::string& buffer)
{
    const int pages = ContentsPageCount(lines.size());
    ScratchPdf scratch;
    {
        QPDF blank;
        blank.emptyPDF();
        QPDFPageDocumentHelper document(blank);
        for (int n = 0; n < pages; ++n) {
            QPDFObjectHandle page = blank.makeIndirectObject(QPDFObjectHandle::parse(
                "<< /Type /Page /MediaBox [0 0 " + std::to_string(static_cast<int>(kPageWidth)) + " " +
                std::to_string(static_cast<int>(kPageHeight)) + "] /Resources << >> >>"));
            page.replaceKey("/Contents", QPDFObjectHandle::newStream(&blank, "0.8 w 56 770 m 539 770 l S\n"));
            document.addPage(QPDFPageObjectHelper(page), false);
        }
        QPDFWriter writer(blank, scratch.Path().c_str());
        writer.write();
    }

    std::vector<pdfstamp::Stamp> stamps;
    for (int n = 1; n <= pages; ++n) {
        stamps.push_back(Text(L"目录", kLeft, 780, 18, n));
        stamps.push_back(Text(L"页", kPageColumn, 780, 12, n));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const int page = static_cast<int>(i / kContentsLinesPerPage) + 1;
        const double y = kFirstLineY - kLineStep * static_cast<double>(i % kContentsLinesPerPage);
        const ContentsLine& line = lines[i];
        std::wstring text = std::to_wstring(i + 1) + L". " + line.name;
        if (line.firstPage == 0)
            text += L"  (不是 PDF，未收录)";
        // A name too long for the space left of the page column keeps its start.
        if (text.size() > kMostCharacters)
            text = text.substr(0, kMostCharacters - 1) + L"…";
        const pdfstamp::TextStamp name = Text(text, kLeft, y, 11, page);
        pdfstamp::TextStamp number = Text(line.firstPage ? std::to_wstring(line.firstPage) : L"-", kPageColumn, y, 11, page);
        stamps.push_back(name);
        stamps.push_back(number);
    }
    const pdfstamp::StampResult drawn = pdfstamp::ApplyStamps(scratch.Path(), stamps);
    if (!drawn.ok || !drawn.skipped.empty())
        throw std::runtime_error("cannot draw the contents: " +
            (drawn.ok ? drawn.skipped.front() : drawn.error));

    std::ifstream in(scratch.Path(), std::ios::binary);
    buffer.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        throw std::runtime_error("cannot read the contents back from " + scratch.Path());
    auto contents = std::make_unique<QPDF>();
    contents->setSuppressWarnings(true);
    contents->processMemoryFile("contents", buffer.data(), buffer.size());
    return contents;
}

} // namespace printplugin
