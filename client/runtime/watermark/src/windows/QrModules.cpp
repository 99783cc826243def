// Windows: libqrencode has no mingw-w64 build here, so PDFs get the watermark without the mark.
#include "../QrModules.h"

namespace qvclient {

bool EncodeQrCode(const std::string&, int&, std::vector<unsigned char>&)
{
    return false;
}

} // namespace qvclient
