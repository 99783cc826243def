#include "MarkDrawing.h"

#include <qrencode.h>

#include <memory>

namespace pdfstamp {

bool EncodeQrCode(const std::string& text, int& modules, std::vector<unsigned char>& dark)
{
    // Runs of digits or capitals take their denser modes, the rest bytes: often a version
    // smaller, so bigger modules on paper and fewer to choose a mask for.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return false;
    modules = code->width;
    dark.resize(static_cast<size_t>(modules) * static_cast<size_t>(modules));
    // Bit 0 of each byte is the module's colour; the others say what the module is for.
    for (size_t i = 0; i < dark.size(); ++i)
        dark[i] = code->data[i] & 1;
    return true;
}

QPDFObjectHandle MakeQrCodeImage(QPDF& pdf, int modules, const std::vector<unsigned char>& dark)
{
    const int side = modules + 2 * kQuietModules;
    const int rowBytes = (side + 7) / 8;
    // An image mask paints its 0 samples: everything starts light and each dark module is cleared.
    std::string bits(static_cast<size_t>(rowBytes) * static_cast<size_t>(side), '\xFF');
    for (int row = 0; row < modules; ++row)
        for (int column = 0; column < modules; ++column)
            if (dark[static_cast<size_t>(row * modules + column)]) {
                const int x = column + kQuietModules;
                bits[static_cast<size_t>((row + kQuietModules) * rowBytes + x / 8)] &=
                    static_cast<char>(~(0x80 >> (x % 8)));
            }
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf, bits);
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(side));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(side));
    dict.replaceKey("/ImageMask", QPDFObjectHandle::newBool(true));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(1));
    // Said outright: viewers that smooth an image scaled up by default keep the modules sharp.
    dict.replaceKey("/Interpolate", QPDFObjectHandle::newBool(false));
    return image;
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
    // Plain, as qpdf leaves XMP, so that tools that scan a file for the packet find it.
    edit.KeepPlain(stream);
    root.replaceKey("/Metadata", edit.Refer(stream));
    edit.Changed(root);
}

} // namespace pdfstamp
