#include "PdfBook.h"

#include <cctype>
#include <memory>
#include <stdexcept>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <winenv/AtomicFile.h>
#include <winenv/Trace.h>

#include <cstring>

#include "BookContents.h"

namespace printplugin {
namespace {

std::string FileName(const std::string& posixPath)
{
    const size_t slash = posixPath.find_last_of('/');
    return slash == std::string::npos ? posixPath : posixPath.substr(slash + 1);
}

bool HasPdfExtension(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".pdf";
}

struct BookPart {
    std::string name; // UTF-8
    std::unique_ptr<QPDF> pdf; // null: not a PDF, listed only
    std::vector<QPDFPageObjectHelper> pages;
};

// The outline: one entry per PDF, pointing at its first page, in book order.
void AddOutline(QPDF& book, const std::vector<std::pair<std::string, QPDFObjectHandle>>& entries)
{
    if (entries.empty())
        return;
    QPDFObjectHandle outlines = book.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    std::vector<QPDFObjectHandle> items;
    for (const auto& [title, page] : entries) {
        QPDFObjectHandle item = book.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
        item.replaceKey("/Parent", outlines);
        QPDFObjectHandle destination = QPDFObjectHandle::newArray();
        destination.appendItem(page);
        destination.appendItem(QPDFObjectHandle::newName("/Fit"));
        item.replaceKey("/Dest", destination);
        if (!items.empty()) {
            item.replaceKey("/Prev", items.back());
            items.back().replaceKey("/Next", item);
        }
        items.push_back(item);
    }
    outlines.replaceKey("/First", items.front());
    outlines.replaceKey("/Last", items.back());
    outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(items.size())));
    QPDFObjectHandle root = book.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
}

} // namespace

BookResult MakePdfBook(const std::vector<std::string>& posixPaths, const std::string& posixTarget)
{
    BookResult result;
    std::vector<BookPart> parts;
    for (const std::string& path : posixPaths) {
        BookPart part;
        part.name = FileName(path);
        if (HasPdfExtension(part.name)) {
            part.pdf = std::make_unique<QPDF>();
            part.pdf->setSuppressWarnings(true);
            try {
                part.pdf->processFile(path.c_str());
                part.pages = QPDFPageDocumentHelper(*part.pdf).getAllPages();
            } catch (const std::exception& e) {
                result.error = "cannot read " + part.name + " as a PDF: " + e.what();
                return result;
            }
        }
        parts.push_back(std::move(part));
    }

    std::vector<ContentsLine> lines;
    int nextPage = ContentsPageCount(parts.size()) + 1;
    for (const BookPart& part : parts) {
        ContentsLine line;
        line.name = winenv::FromUtf8(part.name);
        if (part.pdf) {
            line.firstPage = nextPage;
            nextPage += static_cast<int>(part.pages.size());
        }
        lines.push_back(line);
    }

    try {
        std::string contentsBuffer;
        const std::unique_ptr<QPDF> contents = MakeContentsPages(lines, contentsBuffer);
        QPDF book;
        book.emptyPDF();
        QPDFPageDocumentHelper bookPages(book);
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*contents).getAllPages())
            bookPages.addPage(page, false);
        std::vector<std::pair<std::string, QPDFObjectHandle>> outline;
        for (BookPart& part : parts) {
            if (!part.pdf) {
                ++result.notIncluded;
                continue;
            }
            ++result.included;
            bool first = true;
            for (QPDFPageObjectHelper& page : part.pages) {
                bookPages.addPage(page, false);
                if (first)
                    outline.emplace_back(part.name, bookPages.getAllPages().back().getObjectHandle());
                first = false;
            }
        }
        AddOutline(book, outline);
        result.pages = static_cast<int>(bookPages.getAllPages().size());

        QPDFWriter writer(book);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
        const int error = winenv::WriteFileAtomically(posixTarget,
            std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize()));
        if (error != 0) {
            result.error = "cannot write " + posixTarget + ": " + std::strerror(error);
            return result;
        }
    } catch (const std::exception& e) {
        result.error = std::string("cannot make the book: ") + e.what();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace printplugin
