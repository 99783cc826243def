// A text as the modules of a QR code.
#pragma once

#include <string>
#include <vector>

namespace qvclient {

// The modules row by row from the top (non-zero: dark) and the count on a side; false when the
// text cannot be encoded. Error correction level M: a worn or creased paper copy still reads.
bool EncodeQrCode(const std::string& text, int& modules, std::vector<unsigned char>& dark);

} // namespace qvclient
