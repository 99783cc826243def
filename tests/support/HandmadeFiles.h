// Files the PDF tests and benchmarks write by hand: PDFs with a correct
// cross-reference table, and 24-bit BMP pictures.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace pdftest {

struct Rgb8 {
    int r, g, b;
};

// A scratch folder whose files are named by POSIX paths, as the PDF tools take them.
class PosixScratchFolder : public viztest::ScratchFolder {
public:
    std::string Path(const std::string& name) const { return Posix() + "/" + name; }
    const std::string& Path() const { return Posix(); }
    std::vector<std::string> Files() const { return viztest::ListFolder(Windows()); }
};

inline std::string ReadFile(const std::string& path) { return viztest::ReadPosixFile(path); }
void WriteFile(const std::string& path, const std::string& bytes);

// A PDF written by hand, with a correct cross-reference table: each page gets the content
// given, the media box given (A4 by default) and the /Rotate given.
void WriteHandmadePdf(const std::string& path, const std::vector<std::string>& pageContents, int rotate = 0,
    int width = 595, int height = 842);

// A PDF of the objects given (object 1 is the catalog), with a correct cross-reference table.
std::string HandmadePdfBytes(const std::vector<std::string>& objects, const std::string& version = "1.4");

// A BMP of one colour.
void WriteBmp(const std::string& path, int width, int height, Rgb8 colour);
// A 24-bit BMP whose pixel (x, y), y counted from the top, is pixel(x, y).
void WriteBmpPixels(const std::string& path, int width, int height, const std::function<Rgb8(int, int)>& pixel);

} // namespace pdftest
