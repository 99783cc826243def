#include "MarkDrawing.h"

#include <qrencode.h>

#include <cstdio>
#include <memory>

namespace pdfstamp {

bool EncodeQrCode(const std::string& text, int& modules, std::vector<unsigned char>& dark)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return false;
    modules = code->width;
    dark.resize(static_cast<size_t>(modules) * static_cast<size_t>(modules));
    // Bit 0 of each byte is the module's colour; the others say what the module is for.
    for (size_t i = 0; i < dark.size(); ++i)
        dark[i] = code->data[i] & 1;
    return true;
}

std::string QrCodeContent(int modules, const std::vector<unsigned char>& dark)
{
    const int side = modules + 2 * kQuietModules;
    char scale[64];
    std::snprintf(scale, sizeof scale, "%.6f 0 0 %.6f 0 0 cm\n", 1.0 / side, 1.0 / side);
    std::string content = std::string("q\n1 g\n0 0 1 1 re f\n") + scale + "0 g\n";
    // A run of dark modules in a row is one rectangle: fewer operators to parse and compress.
    for (int row = 0; row < modules; ++row) {
        const int y = side - kQuietModules - row - 1;
        for (int column = 0; column < modules;) {
            if (!dark[static_cast<size_t>(row * modules + column)]) {
                ++column;
                continue;
            }
            int end = column;
            while (end < modules && dark[static_cast<size_t>(row * modules + end)])
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
