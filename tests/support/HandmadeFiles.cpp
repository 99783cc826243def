#include "HandmadeFiles.h"

#include <cstdio>
#include <fstream>

namespace pdftest {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string HandmadePdfBytes(const std::vector<std::string>& objects, const std::string& version)
{
    std::string pdf = "%PDF-" + version + "\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    char line[32];
    for (std::size_t offset : offsets) {
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    return pdf + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
}

void WriteHandmadePdf(const std::string& path, const std::vector<std::string>& pageContents, int rotate, int width,
    int height)
{
    std::vector<std::string> objects;
    std::string kids;
    int pageCount = static_cast<int>(pageContents.size());
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    for (int i = 0; i < pageCount; ++i)
        kids += std::to_string(3 + 2 * i) + " 0 R ";
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>");
    for (int i = 0; i < pageCount; ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " "
            + std::to_string(height) + "] /Rotate " + std::to_string(rotate)
            + " /Resources << >> /Contents " + std::to_string(4 + 2 * i) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(pageContents[i].size()) + " >>\nstream\n" + pageContents[i]
            + "\nendstream");
    }
    WriteFile(path, HandmadePdfBytes(objects));
}

void WriteBmp(const std::string& path, int width, int height, Rgb8 colour)
{
    WriteBmpPixels(path, width, height, [colour](int, int) { return colour; });
}

void WriteBmpPixels(const std::string& path, int width, int height, const std::function<Rgb8(int, int)>& pixel)
{
    int rowSize = (width * 3 + 3) / 4 * 4;
    int dataSize = rowSize * height;
    std::string bmp(54 + dataSize, '\0');
    auto put32 = [&bmp](int at, unsigned value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, dataSize);
    // Rows are stored bottom-up.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgb8 colour = pixel(x, height - 1 - y);
            int at = 54 + y * rowSize + x * 3;
            bmp[at] = static_cast<char>(colour.b);
            bmp[at + 1] = static_cast<char>(colour.g);
            bmp[at + 2] = static_cast<char>(colour.r);
        }
    WriteFile(path, bmp);
}

} // namespace pdftest
