#include "PdfFixture.h"

#include <pdfstamp/PdfStamp.h>
#include <win32host/Paths.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vizbench {

namespace {

const wchar_t* const kSignature = L"张工 批准 2026-12-05";

void WriteBmp(const std::string& path, int width, int height)
{
    const int row = (width * 3 + 3) / 4 * 4;
    std::string bmp(54 + row * height, '\0');
    auto put32 = [&bmp](int at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<unsigned>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp[54 + y * row + x * 3] = static_cast<char>((x * 7 + y * 3) & 0xFF);
    std::ofstream(path, std::ios::binary) << bmp;
}

// A one-page A4 PDF with nothing on it.
void WriteBlankPage(const std::string& path)
{
    const std::string body[] = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> >>"};
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 4\n0000000000 65535 f \n";
    for (int i = 0; i < 3; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + body[i] + "\nendobj\n";
    }
    const std::size_t start = pdf.size();
    pdf += xref + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" + std::to_string(start) + "\n%%EOF\n";
    std::ofstream(path, std::ios::binary) << pdf;
}

void WriteJob(const std::wstring& job, const std::wstring& picture)
{
    const std::pair<const wchar_t*, std::vector<std::pair<const wchar_t*, std::wstring>>> sections[] = {
        {L"PDFSIGN", {{L"NUMBER", L"2"}}},
        {L"SIGN1", {{L"CONTENT", kSignature}, {L"FONT", L"宋体"}, {L"FontSize", L"12"}, {L"X", L"400"}, {L"Y", L"80"}}},
        {L"SIGN2", {{L"IMAGE", picture}, {L"X", L"400"}, {L"Y", L"100"}, {L"WIDTH", L"120"}, {L"HEIGHT", L"45"}}},
    };
    for (const auto& section : sections)
        for (const auto& key : section.second)
            WritePrivateProfileStringW(section.first, key.first, key.second.c_str(), job.c_str());
}

} // namespace

PdfFixture::PdfFixture()
{
    std::string pattern = "/tmp/viz-pdf-bench-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    folder = pattern;
    master = folder + "/master.pdf";
    work = folder + "/work.pdf";
    picture = folder + "/sign.bmp";
    stamp = folder + "/stamp.pdf";
    watermark = folder + "/watermark.pdf";
    job = folder + "/work.pdf.ini";

    std::vector<std::wstring> lines;
    for (int i = 1; i <= 30; ++i)
        lines.push_back(L"技术要求 " + std::to_wstring(i) + L": tolerances per drawing standard");
    pdfstamp::MakeSamplePdf(master, L"装配图 A-100", lines, 10);
    WriteBmp(picture, 160, 60);
    WriteJob(win32host::FromPosixPath(job), win32host::FromPosixPath(picture));

    WriteBlankPage(stamp);
    pdfstamp::TextStamp text;
    text.text = kSignature;
    text.fontSize = 12;
    text.x = 400;
    text.y = 80;
    pdfstamp::PictureStamp image;
    image.path = picture;
    image.x = 400;
    image.y = 100;
    image.width = 120;
    image.height = 45;
    pdfstamp::ApplyStamps(stamp, {text, image});

    WriteBlankPage(watermark);
    pdfstamp::Watermark mark;
    mark.text = L"受控文件 仅供参考";
    pdfstamp::ApplyWatermark(watermark, mark);
}

PdfFixture::~PdfFixture()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

bool PdfFixture::Reset(const std::string& path) const
{
    std::error_code ec;
    std::filesystem::copy_file(master, path, std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

PdfFixture& SharedPdfFixture()
{
    static PdfFixture fixture;
    return fixture;
}

} // namespace vizbench
