#include "MarkDrawing.h"

#include <cstdio>

namespace pdfstamp {

std::string QrCodeContent(const VerificationMark& mark)
{
    const int side = mark.modules + 2 * kQuietModules;
    char scale[64];
    std::snprintf(scale, sizeof scale, "%.6f 0 0 %.6f 0 0 cm\n", 1.0 / side, 1.0 / side);
    std::string content = std::string("q\n1 g\n0 0 1 1 re f\n") + scale + "0 g\n";
    // A run of dark modules in a row is one rectangle: fewer operators to parse and compress.
    for (int row = 0; row < mark.modules; ++row) {
        const int y = side - kQuietModules - row - 1;
        for (int column = 0; column < mark.modules;) {
            if (!mark.dark[static_cast<size_t>(row * mark.modules + column)]) {
                ++column;
                continue;
            }
            int end = column;
            while (end < mark.modules && mark.dark[static_cast<size_t>(row * mark.modules + end)])
                ++end;
            content += std::to_string(column + kQuietModules) + " " + std::to_string(y) + " " +
                std::to_string(end - column) + " 1 re\n";
            column = end;
        }
    }
    return content + "f\nQ\n";
}

std::pair<double, double> MarkOrigin(const VerificationMark& mark, double pageWidth, double pageHeight)
{
    const bool left = mark.corner == VerificationMark::Corner::BottomLeft || mark.corner == VerificationMark::Corner::TopLeft;
    const bool bottom =
        mark.corner == VerificationMark::Corner::BottomLeft || mark.corner == VerificationMark::Corner::BottomRight;
    return {left ? mark.margin : pageWidth - mark.margin - mark.size,
        bottom ? mark.margin : pageHeight - mark.margin - mark.size};
}

void PutMetadata(PdfEdit& edit, const std::string& xmp)
{
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&edit.Maker(), xmp);
    stream.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    stream.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    QPDFObjectHandle root = edit.Document().getRoot();
    root.replaceKey("/Metadata", edit.Refer(stream));
    edit.Changed(root);
}

} // namespace pdfstamp
