// Signing one text and one picture signature onto page 1 of a 10-page PDF: through the plug-in
// (in place, as the client calls it) and, for comparison, with the qpdf command line overlaying
// a stamp page made once beforehand.
#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <win32host/Paths.h>

#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

struct Fixture {
    std::string folder;
    std::string master;  // the unsigned 10-page drawing
    std::string work;    // signed in place
    std::string picture;
    std::string stamp;   // one page holding both signatures, for qpdf --overlay
    std::wstring job;

    Fixture()
    {
        std::string pattern = "/tmp/viz-pdf-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        folder = pattern;
        master = folder + "/master.pdf";
        work = folder + "/work.pdf";
        picture = folder + "/sign.bmp";
        stamp = folder + "/stamp.pdf";
        std::vector<std::wstring> lines;
        for (int i = 1; i <= 30; ++i)
            lines.push_back(L"技术要求 " + std::to_wstring(i) + L": tolerances per drawing standard");
        pdfstamp::MakeSamplePdf(master, L"装配图 A-100", lines, 10);
        WriteBmp(picture, 160, 60);

        job = win32host::FromPosixPath(work) + L".ini";
        WritePrivateProfileStringW(L"PDFSIGN", L"NUMBER", L"2", job.c_str());
        WritePrivateProfileStringW(L"SIGN1", L"CONTENT", L"张工 批准 2026-12-05", job.c_str());
        WritePrivateProfileStringW(L"SIGN1", L"FONT", L"宋体", job.c_str());
        WritePrivateProfileStringW(L"SIGN1", L"FontSize", L"12", job.c_str());
        WritePrivateProfileStringW(L"SIGN1", L"X", L"400", job.c_str());
        WritePrivateProfileStringW(L"SIGN1", L"Y", L"80", job.c_str());
        WritePrivateProfileStringW(L"SIGN2", L"IMAGE", win32host::FromPosixPath(picture).c_str(), job.c_str());
        WritePrivateProfileStringW(L"SIGN2", L"X", L"400", job.c_str());
        WritePrivateProfileStringW(L"SIGN2", L"Y", L"100", job.c_str());
        WritePrivateProfileStringW(L"SIGN2", L"WIDTH", L"120", job.c_str());
        WritePrivateProfileStringW(L"SIGN2", L"HEIGHT", L"45", job.c_str());

        // The same two signatures on an otherwise empty page of the same size.
        WriteBlankPage(stamp);
        pdfstamp::TextStamp text;
        text.text = L"张工 批准 2026-12-05";
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
    }

    ~Fixture() { std::system(("rm -rf '" + folder + "'").c_str()); }

    static void WriteBmp(const std::string& path, int width, int height)
    {
        int row = (width * 3 + 3) / 4 * 4;
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
    static void WriteBlankPage(const std::string& path)
    {
        std::string body[] = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> >>"};
        std::string pdf = "%PDF-1.4\n";
        std::string xref = "xref\n0 4\n0000000000 65535 f \n";
        for (int i = 0; i < 3; ++i) {
            char entry[32];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
            xref += entry;
            pdf += std::to_string(i + 1) + " 0 obj\n" + body[i] + "\nendobj\n";
        }
        std::size_t start = pdf.size();
        pdf += xref + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" + std::to_string(start) + "\n%%EOF\n";
        std::ofstream(path, std::ios::binary) << pdf;
    }

    void ResetWork() const
    {
        std::ifstream in(master, std::ios::binary);
        std::ofstream out(work, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_SignPdfPlugin(benchmark::State& state)
{
    Fixture& f = Shared();
    HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
    auto pfnSignPdf = hModule ? reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf")) : nullptr;
    if (!pfnSignPdf) {
        state.SkipWithError("SignPdf.dll not loadable");
        return;
    }
    std::wstring pdf = win32host::FromPosixPath(f.work);
    for (auto _ : state) {
        state.PauseTiming();
        f.ResetWork();
        state.ResumeTiming();
        if (pfnSignPdf(pdf.c_str(), f.job.c_str()) != 2) {
            state.SkipWithError("signing failed");
            break;
        }
    }
}
BENCHMARK(BM_SignPdfPlugin)->Unit(benchmark::kMillisecond);

void BM_QpdfOverlayCli(benchmark::State& state)
{
    Fixture& f = Shared();
    std::string out = f.folder + "/overlaid.pdf";
    std::string command = "qpdf --overlay '" + f.stamp + "' -- '" + f.master + "' '" + out + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("qpdf --overlay failed");
            break;
        }
    }
}
BENCHMARK(BM_QpdfOverlayCli)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
