#include "PdfFile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>

#include <win32host/AtomicFile.h>

#include <cstring>
#include <memory>

namespace pdfstamp {

bool OpenPdf(QPDF& pdf, const std::string& path, std::string& error)
{
    try {
        pdf.setSuppressWarnings(true);
        // A damaged file stays untouched: repairing it would change more than the stamps.
        pdf.setAttemptRecovery(false);
        pdf.processFile(path.c_str());
        if (pdf.anyWarnings()) {
            error = "damaged PDF: " + path;
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error)
{
    // qpdf's file writer does not report a failed write (a full disk): the document is made in
    // memory and written by a writer that checks every step.
    std::string bytes;
    try {
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.write();
        if (pdf.anyWarnings()) {
            error = "damaged PDF: " + path;
            return false;
        }
        std::unique_ptr<Buffer> buffer(writer.getBuffer());
        bytes.assign(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    if (const int err = win32host::WriteFileAtomically(path, bytes)) {
        error = "cannot replace " + path + ": " + std::strerror(err);
        return false;
    }
    return true;
}

} // namespace pdfstamp
