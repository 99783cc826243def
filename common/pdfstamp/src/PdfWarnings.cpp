#include "PdfWarnings.h"

namespace pdfstamp {
namespace {

// A badly damaged file repairs object by object; the first lines say enough.
constexpr std::size_t kMostLines = 8;

// qpdf's text with the file's name taken off: the trace names the file once.
std::string Describe(const QPDFExc& warning)
{
    std::string text = warning.what();
    const std::string prefix = warning.getFilename() + ": ";
    if (!warning.getFilename().empty() && text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    return text;
}

} // namespace

void TakeWarnings(QPDF& pdf, std::vector<std::string>& lines)
{
    std::size_t omitted = 0;
    for (const QPDFExc& warning : pdf.getWarnings()) {
        if (lines.size() < kMostLines)
            lines.push_back(Describe(warning));
        else
            ++omitted;
    }
    if (omitted > 0)
        lines.push_back("... and " + std::to_string(omitted) + " more");
}

} // namespace pdfstamp
