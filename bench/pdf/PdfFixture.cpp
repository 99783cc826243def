#include "PdfFixture.h"

#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>

#include "HandmadeFiles.h"

#include <windows.h>

#include <filesystem>
#include <vector>

namespace vizbench {

namespace {

const wchar_t* const kSignature = L"张工 批准 2026-12-05";

// A one-page A4 PDF with nothing on it.
const std::vector<std::string> kBlankPage = {"<< /Type /Catalog /Pages 2 0 R >>",
    "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> >>"};

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
    folder = m_scratch.Path();
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
    pdftest::WriteBmpPixels(picture, 160, 60, [](int x, int y) { return pdftest::Rgb8{0, 0, (x * 7 + (59 - y) * 3) & 0xFF}; });
    WriteJob(winenv::FromPosixPath(job), winenv::FromPosixPath(picture));

    pdftest::WriteFile(stamp, pdftest::HandmadePdfBytes(kBlankPage));
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

    pdftest::WriteFile(watermark, pdftest::HandmadePdfBytes(kBlankPage));
    pdfstamp::Watermark mark;
    mark.text = L"受控文件 仅供参考";
    pdfstamp::ApplyWatermark(watermark, mark);
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
