// What the PDF benchmarks stamp: an unsigned 10-page drawing, a signature picture, a job file
// for the plug-in with one CJK text and one picture signature on page 1, and for the tools
// compared with it one-page PDFs holding the same signatures and a watermark.
#pragma once

#include <string>

#include "HandmadeFiles.h"

namespace vizbench {

struct PdfFixture {
private:
    pdftest::PosixScratchFolder m_scratch; // first: the files below live in it

public:
    std::string folder;
    std::string master;    // the unsigned drawing
    std::string work;      // signed in place; a fresh copy of master before each run
    std::string picture;   // the signature picture (BMP)
    std::string stamp;     // both signatures on an otherwise empty page
    std::string watermark; // the client's watermark text on an otherwise empty page
    std::string job;       // the plug-in's job file (POSIX path)

    PdfFixture();
    PdfFixture(const PdfFixture&) = delete;
    PdfFixture& operator=(const PdfFixture&) = delete;

    // Copies master over path.
    bool Reset(const std::string& path) const;
    void ResetWork() const { Reset(work); }
};

// One fixture per process.
PdfFixture& SharedPdfFixture();

} // namespace vizbench
