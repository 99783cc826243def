// What the PDF tests share: a scratch folder, hand-made PDFs and pictures, and poppler's and
// qpdf's command-line tools to look at the results from outside.
#pragma once

#include <functional>
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

// A PDF of the objects given (object 1 is the catalog), with a correct cross-reference table.
std::string HandmadePdfBytes(const std::vector<std::string>& objects, const std::string& version = "1.4");

// Pictures of one colour; the PNG's left half is fully transparent.
void WriteBmp(const std::string& path, int width, int height, Rgb8 colour);
// A 24-bit BMP whose pixel (x, y), y counted from the top, is pixel(x, y).
void WriteBmpPixels(const std::string& path, int width, int height, const std::function<Rgb8(int, int)>& pixel);
// A JPEG of a page of the picture's size (in points) that draws `content`.
void WriteJpegOfContent(const std::string& path, int width, int height, const std::string& content);
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
// The same page's text as MuPDF extracts it.
std::string PageTextMutool(const std::string& pdf, int page);
// The base font names pdffonts lists for one page, subset tags included ("ABCDEF+Name").
std::vector<std::string> FontNames(const std::string& pdf, int page);
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
    // Whether any pixel of the rectangle is tinted at all, as a light translucent grey is.
    bool AnyTint(double x0, double y0, double x1, double y1) const;

private:
    bool AnyDarkerThan(double x0, double y0, double x1, double y1, int level) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_rgb;
};

} // namespace pdftest
