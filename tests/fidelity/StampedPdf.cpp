// Signs a copy of a PDF with SignPdf.dll and puts the watermark on it, as the client does for a
// downloaded drawing, with a fixed job and watermark, so that both builds' results can be compared
// (compare_stamped_pdf.sh). The job is written through the profile API, as the module writes it.
// Usage: StampedPdf INPUT.pdf OUTPUT.pdf   (prints the signed and watermark results)
#include <windows.h>

#include <pdfstamp/OnDemand.h>
#include <winenv/Paths.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct JobLine {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
};

// Each Chinese style and a Latin face, on the first and the last page, fitted into a box or not.
const JobLine kJob[] = {
    {L"PDFSIGN", L"NUMBER", L"5"},
    {L"SIGN1", L"CONTENT", L"张工"}, {L"SIGN1", L"FONT", L"楷体"}, {L"SIGN1", L"X", L"100"}, {L"SIGN1", L"Y", L"200"},
    {L"SIGN1", L"WIDTH", L"80"}, {L"SIGN1", L"HEIGHT", L"24"}, {L"SIGN1", L"COLOR_R", L"200"},
    {L"SIGN2", L"CONTENT", L"赵敏 审核"}, {L"SIGN2", L"FONT", L"宋体"}, {L"SIGN2", L"X", L"300"},
    {L"SIGN2", L"Y", L"80"}, {L"SIGN2", L"FontSize", L"-16"},
    {L"SIGN3", L"CONTENT", L"李四 批准"}, {L"SIGN3", L"FONT", L"黑体"}, {L"SIGN3", L"X", L"60"},
    {L"SIGN3", L"Y", L"300"}, {L"SIGN3", L"FontSize", L"14"}, {L"SIGN3", L"COLOR_B", L"160"},
    {L"SIGN4", L"CONTENT", L"王五 校对"}, {L"SIGN4", L"FONT", L"仿宋"}, {L"SIGN4", L"X", L"200"},
    {L"SIGN4", L"Y", L"400"}, {L"SIGN4", L"Page", L"-1"},
    {L"SIGN5", L"CONTENT", L"Approved by Zhao Lei"}, {L"SIGN5", L"FONT", L"Arial"}, {L"SIGN5", L"X", L"160"},
    {L"SIGN5", L"Y", L"110"}, {L"SIGN5", L"Page", L"-1"},
};

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::printf("usage: StampedPdf INPUT.pdf OUTPUT.pdf\n");
        return 2;
    }
    const std::string output = argv[2];
    const std::string bytes = ReadBytes(argv[1]);
    std::ofstream(output, std::ios::binary) << bytes;
    if (bytes.empty() || ReadBytes(output) != bytes) {
        std::printf("cannot copy %s to %s\n", argv[1], argv[2]);
        return 2;
    }
    const std::wstring pdf = winenv::FromPosixPath(output);
    const std::wstring job = pdf + L".ini";
    DeleteFileW(job.c_str());
    for (const JobLine& line : kJob)
        WritePrivateProfileStringW(line.section, line.key, line.value, job.c_str());

    typedef int (*PFN_SIGNPDF)(const wchar_t*, const wchar_t*);
    const HMODULE signPdf = LoadLibraryW(L"SignPdf.dll");
    const PFN_SIGNPDF pfnSignPdf = signPdf != nullptr
        ? reinterpret_cast<PFN_SIGNPDF>(reinterpret_cast<void*>(GetProcAddress(signPdf, "SignPdf")))
        : nullptr;
    if (pfnSignPdf == nullptr) {
        std::printf("SignPdf.dll cannot be loaded\n");
        return 2;
    }
    const int signed_ = pfnSignPdf(pdf.c_str(), job.c_str());
    DeleteFileW(job.c_str());

    pdfstamp::Watermark watermark;
    // A character beyond U+FFFF (U+20547, which the Hei face has): two units of a Windows wchar_t.
    watermark.text = L"受控文件 VIZ 2026-12-07 \U00020547";
    watermark.fontName = L"黑体";
    watermark.mark.code = "VIZ-STAMPED-0001";
    watermark.mark.caption = L"验证码 VIZ-STAMPED-0001";
    const pdfstamp::StampResult marked = pdfstamp::ondemand::ApplyWatermark(output, watermark);
    std::printf("signed %d\nwatermark %s%s\n", signed_, marked.ok ? "ok" : "failed: ", marked.error.c_str());
    // Every character has a face here, so a warning (a character named missing) is a fault.
    for (const std::string& warning : marked.warnings)
        std::printf("watermark warning: %s\n", warning.c_str());
    return signed_ == 5 && marked.ok && marked.warnings.empty() ? 0 : 1;
}
