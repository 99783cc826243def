// Stamping in-process: the signing plug-in (one CJK text and one picture onto a 10-page PDF, in
// place, as the client calls it) against libqpdf's own overlay of a page holding the same
// signatures (QPDFJob); and the plug-in followed by the client's watermark, as every generated
// download gets them, against two such overlays; and that watermark with the verification mark
// (encoded, drawn, its XMP written) against the watermark alone.
#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>

#include <benchmark/benchmark.h>
#include <qpdf/QPDFJob.hh>

#include <windows.h>

#include <ctime>
#include <vector>

#include <qvclient/VerificationMark.h>

#include "AlternatingRatio.h"
#include "PdfFixture.h"

namespace {

PFN_SIGNPDF LoadSignPdf()
{
    HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
    return hModule ? reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf")) : nullptr;
}

// The mark the client makes for a delivered drawing (its QR code is encoded as it is drawn).
bool MakeMark(pdfstamp::VerificationMark& mark)
{
    const qvclient::MarkContent content{124, 118, L"Drawing", 119,
        "2a5fee4d0cfc052a0d83f8cdb7077f9ebbb0207c546ba3a7c11aa26a22bd76e9", L"张工", "2026-12-07"};
    mark.code = qvclient::FormatMarkText(content);
    mark.caption = qvclient::MarkCaption(content);
    mark.xmp = qvclient::MakeMarkXmp(content);
    return true;
}

// The plug-in on a fresh copy of the drawing; the copy is not timed. `cpu`, when given, collects
// the process's CPU time of the same work.
double SignOnce(PFN_SIGNPDF pfnSignPdf, const vizbench::PdfFixture& f, bool watermark, bool withMark = false,
    std::vector<double>* cpu = nullptr)
{
    f.ResetWork();
    const std::wstring pdf = winenv::FromPosixPath(f.work);
    const std::wstring job = winenv::FromPosixPath(f.job);
    bool ok = true;
    const std::clock_t cpuStart = std::clock();
    const double seconds = vizbench::SecondsOf([&] {
        ok = pfnSignPdf(pdf.c_str(), job.c_str()) == 2;
        if (ok && watermark) {
            pdfstamp::Watermark mark;
            mark.text = L"受控文件 仅供参考";
            ok = (!withMark || MakeMark(mark.mark)) && pdfstamp::ApplyWatermark(f.work, mark).ok;
        }
    });
    if (cpu != nullptr)
        cpu->push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
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

void BM_SignWatermarkAndMarkVsSignAndWatermark(benchmark::State& state)
{
    const vizbench::PdfFixture& f = vizbench::SharedPdfFixture();
    const PFN_SIGNPDF pfnSignPdf = LoadSignPdf();
    if (!pfnSignPdf) {
        state.SkipWithError("SignPdf.dll not loadable");
        return;
    }
    // CPU time too: under load from elsewhere on shared cores it moves less than wall time, and
    // the difference looked for is a few percent.
    std::vector<double> subjectCpu, baselineCpu;
    vizbench::RunAlternately(
        state, [&] { return SignOnce(pfnSignPdf, f, true, true, &subjectCpu); },
        [&] { return SignOnce(pfnSignPdf, f, true, false, &baselineCpu); });
    vizbench::ReportRatios(state, subjectCpu, baselineCpu, "cpu_");
}
// A hundred pairs: the difference looked for is a few percent of some milliseconds.
BENCHMARK(BM_SignWatermarkAndMarkVsSignAndWatermark)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
