// What the PDF tests share: a scratch folder, hand-made PDFs and pictures, and poppler's and
// qpdf's command-line tools to look at the results from outside.
#pragma once

#include <string>
#include <vector>

#include <pdfstamp/PdfStamp.h>

#include "HandmadeFiles.h"

namespace pdftest {

inline pdfstamp::TextStamp TextAt(const std::wstring& text, double x, double y, int page = 1)
{
    pdfstamp::TextStamp stamp;
    stamp.text = text;
    stamp.x = x;
    stamp.y = y;
    stamp.page = page;
    return stamp;
}

// Pictures of one colour; the PNG's left half is fully transparent.
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
