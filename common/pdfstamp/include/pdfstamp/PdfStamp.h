// Draws text and pictures onto the pages of an existing PDF, in place, and makes small sample
// PDFs. Linux side of the signing plug-in and the client's watermark component.
//
// Coordinates are PDF points (1/72 inch) measured from the lower-left corner of the page as it is
// shown: the crop box (media box when there is none), turned by the page's /Rotate.
// Text is UTF-32 in std::wstring (wchar_t is 32 bits here). Paths are POSIX paths in UTF-8.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace pdfstamp {

struct Rgb {
    int r = 0; // 0..255
    int g = 0;
    int b = 0;
};

// One line of text. With a box (width and height > 0) the text is shrunk, never enlarged, until
// it fits the box, and centred in it; without one, (x, y) is the start of the baseline.
struct TextStamp {
    std::wstring text;
    std::wstring fontName = L"SimSun"; // a Windows font name; each character from the best installed face that has it
    double fontSize = 12;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    Rgb color;
    int page = 1; // 1-based; negative counts from the end (-1 is the last page)
};

// A BMP, PNG or JPEG file. (x, y) is its lower-left corner; without a box it keeps its pixel size
// at 96 pixels per inch, the Windows screen resolution signature pictures are made for.
struct PictureStamp {
    std::string path;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    int page = 1;
};

// A verification mark: a QR code (libqrencode, error correction level M, so that a worn paper copy
// still reads) with a short caption beside it at a corner of every page, and an XMP packet that
// becomes the document's metadata.
struct VerificationMark {
    enum class Corner { BottomLeft, TopLeft, TopRight, BottomRight };
    std::string code;                // the QR code's text; empty: no mark
    std::wstring caption;            // human-readable, drawn as outlines next to the code
    std::string xmp;                 // the whole packet; empty: the metadata is left as it is
    Corner corner = Corner::BottomLeft;
    double size = 64;                // the code's side in points, its quiet zone included
    double margin = 24;              // from the page's two nearest edges to the code
};

// Text across the middle of every page, along the page's diagonal, semi-transparent. Drawn as
// filled glyph outlines marked as an artifact, so that it adds no text to the page.
struct Watermark {
    std::wstring text;
    std::wstring fontName = L"SimHei";
    Rgb color{128, 128, 128};
    double opacity = 0.3;   // 0..1, the fill alpha (/ca)
    double coverage = 0.6;  // share of the diagonal the text spans
    VerificationMark mark = {}; // drawn opaque, on every page the watermark is on
};

using Stamp = std::variant<TextStamp, PictureStamp>;

struct StampResult {
    bool ok = false;            // the file was rewritten
    std::string error;          // why not, when !ok
    int drawn = 0;              // stamps put onto a page (a watermark counts once per page)
    std::vector<std::string> skipped; // one line per stamp left out (page out of range, bad picture)
    std::vector<std::string> warnings; // what reading had to repair, characters no font has
};

// Draws the stamps in order onto the PDF at `path` and replaces the file atomically (a temporary
// file beside it, then rename). A damaged file is repaired as it is read and the repairs are
// listed in `warnings`. A file that cannot be read even so, or that carries a digital signature,
// is left byte-identical and the result is not ok. A stamp that cannot be drawn is skipped and
// listed; the others are still drawn.
StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps);

// Puts the watermark onto every page, in place, on the same terms as ApplyStamps.
StampResult ApplyWatermark(const std::string& path, const Watermark& watermark);

// Writes a new A4 PDF of `pages` pages: the title at the top of each page, a page number, and
// the lines below it. Text may be any Unicode, Chinese included. False when it cannot be written.
bool MakeSamplePdf(const std::string& path, const std::wstring& title,
    const std::vector<std::wstring>& lines, int pages);

} // namespace pdfstamp
