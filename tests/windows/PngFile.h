// Writes 24-bit pixels as a PNG file (stored deflate blocks: no compression library needed).
#pragma once

#include <string>
#include <vector>

// rgb holds height rows of width pixels, top row first, three bytes (R, G, B) each.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<unsigned char>& rgb);
