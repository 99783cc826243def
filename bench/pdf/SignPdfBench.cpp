// Stamping in-process: the signing plug-in (one CJK text and one picture onto a 10-page PDF, in
// place, as the client calls it) against libqpdf's own overlay of a page holding the same
// signatures (QPDFJob); and the plug-in followed by the client's watermark, as every generated
// download gets them, against two such overlays.
#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>

#include <benchmark/benchmark.h>
#include <qpdf/QPDFJob.hh>

#include <windows.h>

#include "AlternatingRatio.h"
#include "PdfFixture.h"

namespace {

PFN_SIGNPDF LoadSignPdf()
{
    HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
    return hModule ? reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf")) : nullptr;
}

// The plug-in on a fresh copy of the drawing; the copy is not timed.
double SignOnce(PFN_SIGNPDF pfnSignPdf, const vizbench::PdfFixture& f, bool watermark)
{
    f.ResetWork();
    const std::wstring pdf = winenv::FromPosixPath(f.work);
    const std::wstring job = winenv::FromPosixPath(f.job);
    bool ok = true;
    const double seconds = vizbench::SecondsOf([&] {
        ok = pfnSignPdf(pdf.c_str(), job.c_str()) == 2;
        if (ok && watermark) {
            pdfstamp::Watermark mark;
            mark.text = L"受控文件 仅供参考";
            ok = pdfstamp::ApplyWatermark(f.work, mark).ok;
        }
    });
    return ok ? seconds : -1.0;
}

bool QpdfOverlay(const std::string& overlay, const std::string& input, const std::string& output)
{
    const char* argv[] = {"qpdf", "--overlay", overlay.c_str(), "--", input.c_str(), output.c_str(), nullptr};
    try {
        QPDFJob job;
        job.initializeFromArgv(argv);
        job.run();
        return job.getExitCode() == 0; // qpdf_exit_success: no errors, no warnings
    } catch (const std::exception&) {
        return false;
    }
}

void BM_PluginVsQpdfJobOverlay(benchmark::State& state)
{
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    const PFN_SIGNPDF pfnSignPdf = LoadSignPdf();
    if (!pfnSignPdf) {
        state.SkipWithError("SignPdf.dll not loadable");
        return;
    }
    const std::string out = f.folder + "/overlaid.pdf";
    vizbench::RunAlternately(
        state, [&] { return SignOnce(pfnSignPdf, f, false); },
        [&] {
            bool ok = false;
            const double seconds = vizbench::SecondsOf([&] { ok = QpdfOverlay(f.stamp, f.master, out); });
            return ok ? seconds : -1.0;
        });
}
// Forty: the plug-in takes under a millisecond, and ten pairs left its median to the noise of a few.
BENCHMARK(BM_PluginVsQpdfJobOverlay)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SignAndWatermarkVsTwoQpdfJobOverlays(benchmark::State& state)
{
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    const PFN_SIGNPDF pfnSignPdf = LoadSignPdf();
    if (!pfnSignPdf) {
        state.SkipWithError("SignPdf.dll not loadable");
        return;
    }
    const std::string once = f.folder + "/overlaid-once.pdf";
    const std::string twice = f.folder + "/overlaid-twice.pdf";
    vizbench::RunAlternately(
        state, [&] { return SignOnce(pfnSignPdf, f, true); },
        [&] {
            bool ok = false;
            const double seconds = vizbench::SecondsOf(
                [&] { ok = QpdfOverlay(f.stamp, f.master, once) && QpdfOverlay(f.watermark, once, twice); });
            return ok ? seconds : -1.0;
        });
}
BENCHMARK(BM_SignAndWatermarkVsTwoQpdfJobOverlays)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
