#include "PdfFile.h"

#include "PdfWarnings.h"
#include "TrailerlessPdf.h"
#include "MemoryInput.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDFWriter.hh>

#include <winenv/AtomicFile.h>

#include <zlib.h>

#include <cstring>
#include <memory>

namespace pdfstamp {

std::unique_ptr<QPDF> OpenPdf(const std::string& path, std::string& bytes, std::vector<std::string>& warnings, std::string& error)
{
    auto pdf = std::make_unique<QPDF>();
    try {
        pdf->setSuppressWarnings(true);
        // What a mainstream reader opens is signed: qpdf repairs what it can and says what it did.
        pdf->setAttemptRecovery(true);
        // A file that cannot be read into memory goes to qpdf as it is, for qpdf's own message.
        std::string readError;
        if (std::shared_ptr<InputSource> input = ReadIntoMemory(path, bytes, readError)) {
            pdf->processInputSource(input);
        } else {
            bytes.clear();
            pdf->processFile(path.c_str());
        }
        TakeWarnings(*pdf, warnings);
        return pdf;
    } catch (const std::exception& e) {
        error = std::string("cannot read the PDF: ") + e.what();
    }
    // qpdf's repair needs a trailer; readers find the catalog without one.
    bytes.clear();
    std::unique_ptr<QPDF> repaired = OpenWithoutTrailer(path, warnings);
    if (repaired)
        error.clear();
    return repaired;
}

namespace {

struct FastDeflate {
    FastDeflate() { Pl_Flate::setCompressionLevel(Z_BEST_SPEED); }
    ~FastDeflate() { Pl_Flate::setCompressionLevel(Z_DEFAULT_COMPRESSION); }
};

} // namespace

bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error, bool made)
{
    // qpdf's file writer does not report a failed write (a full disk): the document is made in
    // memory and written by a writer that checks every step.
    std::string bytes;
    try {
        // qpdf writes /Size only where the trailer had one, and a repaired trailer may lack it;
        // the writer puts in the real count.
        QPDFObjectHandle trailer = pdf.getTrailer();
        if (trailer.isDictionary() && !trailer.hasKey("/Size"))
            trailer.replaceKey("/Size", QPDFObjectHandle::newInteger(0));
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        // A document made here gets an identifier from its content, not from the clock: the same
        // document is the same bytes. (An encrypted one cannot have that, and is never made here.)
        writer.setDeterministicID(made);
        {
            // The streams it compresses are ours (page content, picture, form) and small: zlib's
            // fastest level costs half of its default, and they grow by a few bytes. The level
            // is qpdf's global: back to its default for whoever else writes with this qpdf.
            FastDeflate fast;
            writer.write();
        }
        // Warnings while writing (a damaged stream copied as it is) stay in `pdf` for the caller.
        std::unique_ptr<Buffer> buffer(writer.getBuffer());
        bytes.assign(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return PutInPlace(path, bytes, error);
}

bool PutInPlace(const std::string& path, const std::string& bytes, std::string& error)
{
    if (const int err = winenv::WriteFileAtomically(path, bytes)) {
        error = "cannot replace " + path + ": " + std::strerror(err);
        return false;
    }
    return true;
}

} // namespace pdfstamp
