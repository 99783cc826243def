#include "PdfTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image_write.h>

namespace pdftest {

void WritePngHalfTransparent(const std::string& path, int width, int height, Rgb8 colour)
{
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            p[0] = static_cast<unsigned char>(colour.r);
            p[1] = static_cast<unsigned char>(colour.g);
            p[2] = static_cast<unsigned char>(colour.b);
            p[3] = x < width / 2 ? 0 : 255;
        }
    stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4);
}

void WriteJpeg(const std::string& path, int width, int height, Rgb8 colour)
{
    char fill[96];
    std::snprintf(fill, sizeof fill, "%.4f %.4f %.4f rg 0 0 %d %d re f", colour.r / 255.0, colour.g / 255.0,
        colour.b / 255.0, width, height);
    WriteJpegOfContent(path, width, height, fill);
}

void WriteJpegOfContent(const std::string& path, int width, int height, const std::string& content)
{
    // poppler's JPEG writer (stb's trips the undefined-behaviour sanitizer): the page rendered at
    // one pixel per point.
    std::string pdf = path + ".page.pdf";
    WriteHandmadePdf(pdf, {content}, 0, width, height);
    std::string stem = path.substr(0, path.rfind('.'));
    Run("pdftoppm -r 72 -jpeg -singlefile " + Quote(pdf) + " " + Quote(stem));
    std::remove(pdf.c_str());
    if (stem + ".jpg" != path)
        std::rename((stem + ".jpg").c_str(), path.c_str());
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Run(const std::string& command, std::string* output)
{
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return -1;
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    int status = pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string PageText(const std::string& pdf, int page)
{
    std::string text;
    Run("pdftotext -raw -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + Quote(pdf) + " -", &text);
    return text;
}

std::string PageTextCompact(const std::string& pdf, int page)
{
    std::string compact;
    for (char c : PageText(pdf, page))
        if (c != ' ' && c != '\n' && c != '\r' && c != '\f' && c != '\t')
            compact += c;
    return compact;
}

std::string PageTextMutool(const std::string& pdf, int page)
{
    std::string text;
    Run("mutool draw -q -F txt -o - " + Quote(pdf) + " " + std::to_string(page), &text);
    return text;
}

std::vector<std::string> FontNames(const std::string& pdf, int page)
{
    std::string listing;
    Run("pdffonts -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + Quote(pdf), &listing);
    std::istringstream lines(listing);
    std::string line;
    std::vector<std::string> names;
    for (int n = 0; std::getline(lines, line); ++n)
        if (n >= 2 && !line.empty()) // past the header and its rule
            names.push_back(line.substr(0, line.find(' ')));
    return names;
}

int PageCount(const std::string& pdf)
{
    std::string text;
    if (Run("qpdf --show-npages " + Quote(pdf), &text) != 0)
        return -1;
    return std::atoi(text.c_str());
}

bool QpdfCheckPasses(const std::string& pdf)
{
    return Run("qpdf --check " + Quote(pdf)) == 0;
}

RenderedPage::RenderedPage(const std::string& pdf, int page)
{
    std::string stem = pdf + ".render" + std::to_string(page);
    if (Run("pdftoppm -r 72 -png -singlefile -f " + std::to_string(page) + " -l " + std::to_string(page) + " "
            + Quote(pdf) + " " + Quote(stem))
        != 0)
        return;
    int channels = 0;
    unsigned char* pixels = stbi_load((stem + ".png").c_str(), &m_width, &m_height, &channels, 3);
    std::remove((stem + ".png").c_str());
    if (!pixels) {
        m_width = m_height = 0;
        return;
    }
    m_rgb.assign(pixels, pixels + static_cast<std::size_t>(m_width) * m_height * 3);
    stbi_image_free(pixels);
}

Rgb8 RenderedPage::AtPoint(double x, double y) const
{
    int px = static_cast<int>(x);
    int py = m_height - 1 - static_cast<int>(y);
    if (px < 0 || py < 0 || px >= m_width || py >= m_height)
        return Rgb8{-1, -1, -1};
    const unsigned char* p = &m_rgb[(static_cast<std::size_t>(py) * m_width + px) * 3];
    return Rgb8{p[0], p[1], p[2]};
}

bool RenderedPage::AnyInk(double x0, double y0, double x1, double y1) const
{
    return Any(x0, y0, x1, y1, [](Rgb8 c) { return c.r < 200 || c.g < 200 || c.b < 200; });
}

bool RenderedPage::AnyTint(double x0, double y0, double x1, double y1) const
{
    return Any(x0, y0, x1, y1, [](Rgb8 c) { return c.r < 240 || c.g < 240 || c.b < 240; });
}

bool RenderedPage::Any(double x0, double y0, double x1, double y1, const std::function<bool(Rgb8)>& test) const
{
    for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
        for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x) {
            Rgb8 c = AtPoint(x, y);
            if (c.r >= 0 && test(c))
                return true;
        }
    return false;
}

} // namespace pdftest
