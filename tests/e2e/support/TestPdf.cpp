#include "TestPdf.h"

#include "ChildProcess.h"
#include "HandmadeFiles.h"

namespace e2e {

std::string MakePdf(const std::string& text)
{
    const std::string stream = "BT /F1 18 Tf 72 720 Td (" + text + ") Tj ET\n";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 5 0 R >> >> "
        "/Contents 4 0 R >>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
    };
    return pdftest::HandmadePdfBytes(objects);
}

std::string PdfText(const std::string& posixPath)
{
    const viztest::ChildRun run = viztest::RunChild({"pdftotext", "-q", posixPath, "-"});
    return run.exitCode == 0 ? run.out : std::string();
}

} // namespace e2e
