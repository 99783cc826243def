// A check of a JPEG's Huffman tables before stb_image reads them.
#pragma once

#include <string>

namespace pdfstamp {

// True for a file that is no JPEG to the decoder. False when a table of the file defines more than the 256 codes a JPEG table can hold: stb_image
// as Debian ships it writes such a table past the end of its own arrays.
bool HuffmanTablesFit(const std::string& jpeg);

} // namespace pdfstamp
