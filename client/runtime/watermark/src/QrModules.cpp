#include "QrModules.h"

#include <qrencode.h>

#include <memory>

namespace qvclient {

bool EncodeQrCode(const std::string& text, int& modules, std::vector<unsigned char>& dark)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return false;
    modules = code->width;
    dark.resize(static_cast<size_t>(modules) * static_cast<size_t>(modules));
    // Bit 0 of each byte is the module's colour; the rest say what the module is for.
    for (size_t i = 0; i < dark.size(); ++i)
        dark[i] = code->data[i] & 1;
    return true;
}

} // namespace qvclient
