// What the PDF tests share: a scratch folder, hand-made PDFs and pictures, and poppler's and
// qpdf's command-line tools to look at the results from outside.
#pragma once

#include <string>
#include <vector>

namespace pdftest {

struct Rgb8 {
    int r, g, b;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }
    std::vector<std::string> Files() const;

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// A PDF written by hand, with a correct cross-reference table: each page gets the content
// given, the media box given (A4 by default) and the /Rotate given.
void WriteHandmadePdf(const std::string& path, const std::vector<std::string>& pageContents, int rotate = 0,
    int width = 595, int height = 842);

// Pictures of one colour; the PNG's left half is fully transparent.
void WriteBmp(const std::string& path, int width, int height, Rgb8 colour);
void WritePngHalfTransparent(const std::string& path, int width, int height, Rgb8 colour);
void WriteJpeg(const std::string& path, int width, int height, Rgb8 colour);

// Runs a command; returns its exit status and fills `output` with its standard output.
int Run(const std::string& command, std::string* output = nullptr);
std::string Quote(const std::string& text);

// pdftotext of one page (1-based), in the order the page draws its text (-raw: the layout
// heuristics would drop the blanks in "1 / 4").
std::string PageText(const std::string& pdf, int page);
// The same with every blank and line break removed: diagonal text comes out a glyph at a time.
std::string PageTextCompact(const std::string& pdf, int page);
int PageCount(const std::string& pdf);
bool QpdfCheckPasses(const std::string& pdf);

// A page rendered at 72 dpi (one pixel per point), top row first.
class RenderedPage {
public:
    RenderedPage(const std::string& pdf, int page);
    bool Valid() const { return m_width > 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at a point given in PDF coordinates (from the lower-left corner, y up).
    Rgb8 AtPoint(double x, double y) const;
    // Whether any pixel of the rectangle (PDF coordinates) is darker than near-white.
    bool AnyInk(double x0, double y0, double x1, double y1) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_rgb;
};

} // namespace pdftest
