#include "PdfFile.h"

#include "PdfWarnings.h"
#include "TrailerlessPdf.h"
#include "MemoryInput.h"

#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfstamp {

std::unique_ptr<QPDF> OpenPdf(const std::string& path, std::vector<std::string>& warnings, std::string& error)
{
    auto pdf = std::make_unique<QPDF>();
    try {
        pdf->setSuppressWarnings(true);
        // What a mainstream reader opens is signed: qpdf repairs what it can and says what it did.
        pdf->setAttemptRecovery(true);
        // A file that cannot be read into memory goes to qpdf as it is, for qpdf's own message.
        std::string readError;
        if (std::shared_ptr<InputSource> input = ReadIntoMemory(path, readError))
            pdf->processInputSource(input);
        else
            pdf->processFile(path.c_str());
        TakeWarnings(*pdf, warnings);
        return pdf;
    } catch (const std::exception& e) {
        error = std::string("cannot read the PDF: ") + e.what();
    }
    // qpdf's repair needs a trailer; readers find the catalog without one.
    std::unique_ptr<QPDF> repaired = OpenWithoutTrailer(path, warnings);
    if (repaired)
        error.clear();
    return repaired;
}

bool ReplacePdf(QPDF& pdf, const std::string& path, std::string& error)
{
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file beside " + path;
        return false;
    }
    // mkstemp makes the file private; the result keeps the mode of the file it replaces, or
    // gets the usual mode of a new file.
    struct stat original {};
    if (stat(path.c_str(), &original) == 0) {
        fchmod(fd, original.st_mode & 07777);
    } else {
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    close(fd);
    try {
        QPDFWriter writer(pdf, temp.c_str());
        writer.write();
    } catch (const std::exception& e) {
        error = e.what();
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path;
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace pdfstamp
