// The signing plug-in on any job, PDF and picture: a PDF it did not sign is byte for byte as it
// was, a PDF it signed reads as a PDF, and nothing is left beside the PDF either way.
//
// Input: the job file, the PDF and the picture, separated by kPart. "%PICTURE%" in the job stands
// for the picture's Windows path.
#include "SignPdf.h"

#include <stb/stb_image.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace {

const std::string kPart = "\n=====viz-part=====\n";

[[noreturn]] void Fail(const char* what, int nResult)
{
    std::fprintf(stderr, "sign pdf: %s (result %d)\n", what, nResult);
    std::abort();
}

std::vector<std::string> Parts(const std::string& input)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; parts.size() < 2 && (end = input.find(kPart, start)) != std::string::npos; start = end + kPart.size())
        parts.push_back(input.substr(start, end - start));
    parts.push_back(input.substr(start));
    parts.resize(3);
    return parts;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

bool ReadsAsPdf(const std::string& path)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(path.c_str());
        return !pdf.anyWarnings() && !QPDFPageDocumentHelper(pdf).getAllPages().empty();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static viztest::ScratchFolder pdfFolder, otherFolder;
    const std::vector<std::string> parts = Parts(std::string(reinterpret_cast<const char*>(data), size));
    const std::string& pdf = parts[1];
    const std::string& picture = parts[2];
    int nWidth = 0, nHeight = 0, nChannels = 0;
    // Larger pictures are decoded in full up to 4096 pixels a side (beyond, the plug-in refuses
    // them): they only cost time.
    if (stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(picture.data()), static_cast<int>(picture.size()),
            &nWidth, &nHeight, &nChannels)
        && (nWidth > 1024 || nHeight > 1024))
        return -1;

    const std::wstring pictureW = otherFolder.Windows(L"picture");
    viztest::WriteFile(pictureW, picture);
    viztest::WriteFile(otherFolder.Windows(L"job.ini"), Replaced(parts[0], "%PICTURE%", std::string(pictureW.begin(), pictureW.end())));
    viztest::WriteFile(pdfFolder.Windows(L"doc.pdf"), pdf);

    const int nResult = SignPdf(pdfFolder.Windows(L"doc.pdf").c_str(), otherFolder.Windows(L"job.ini").c_str());
    if (nResult < SIGNPDF_E_PDF)
        Fail("the job was not found", nResult);
    const std::string written = viztest::ReadFile(pdfFolder.Windows(L"doc.pdf"));
    if (nResult <= 0 && written != pdf)
        Fail("the PDF changed although nothing was signed", nResult);
    if (nResult > 0 && !ReadsAsPdf(pdfFolder.Posix() + "/doc.pdf"))
        Fail("the signed PDF does not read as a PDF", nResult);
    size_t nFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(pdfFolder.Posix())) {
        (void)entry;
        ++nFiles;
    }
    if (nFiles != 1)
        Fail("a file was left beside the PDF", nResult);
    return 0;
}
