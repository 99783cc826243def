// What the client draws with pdfstamp (the watermark, the sample and demo PDFs), from the library
// opened on the first call: libpdfstamp.so on Linux (found by the caller's run path), pdfstamp.dll
// beside the program on Windows. A library that cannot be opened fails the call with the loader's
// error.
#pragma once

#include <pdfstamp/PdfStamp.h>

namespace pdfstamp::ondemand {

StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps);
StampResult ApplyWatermark(const std::string& path, const Watermark& watermark);
bool MakeSamplePdf(const std::string& path, const std::wstring& title, const std::vector<std::wstring>& lines,
    int pages);

// The entry points' types, shared by the library and its loader.
extern "C" {
using PFN_APPLYSTAMPS = void (*)(const std::string* path, const std::vector<Stamp>* stamps, StampResult* result);
using PFN_APPLYWATERMARK = void (*)(const std::string* path, const Watermark* watermark, StampResult* result);
using PFN_MAKESAMPLEPDF = bool (*)(
    const std::string* path, const std::wstring* title, const std::vector<std::wstring>* lines, int pages);
}

} // namespace pdfstamp::ondemand
