// The kinds of PDF a user downloads: every one a mainstream reader opens is signed and stays
// valid, its permissions and form fields kept, a clean one by appending to its bytes; one that cannot be read, or that a
// rewrite would break, is left byte for byte as it was with the reason given. The corpus is made here, by hand and with the qpdf command.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

#include <functional>

using namespace pdftest;

namespace {

const std::string kPageText = "BT /F1 12 Tf 72 700 Td (Title block) Tj ET";

std::string Stream(const std::string& data)
{
    return "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// One page whose font comes from its own resources.
std::vector<std::string> OnePage()
{
    return {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
        Stream(kPageText), "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
}

std::string Base()
{
    return HandmadePdfBytes(OnePage());
}

// The base run through the qpdf command with the options given.
std::string ThroughQpdf(const std::string& options)
{
    PosixScratchFolder folder;
    WriteFile(folder.Path("in.pdf"), Base());
    Run("qpdf " + options + " " + Quote(folder.Path("in.pdf")) + " " + Quote(folder.Path("out.pdf")));
    return ReadFile(folder.Path("out.pdf"));
}

std::string Shifted()
{
    std::string bytes = Base();
    return bytes.insert(bytes.find('\n') + 1, "% twenty bytes more\n");
}

std::string XrefCut()
{
    std::string bytes = Base();
    std::size_t xref = bytes.rfind("xref\n0 ");
    return bytes.substr(0, xref) + bytes.substr(bytes.find("trailer", xref));
}

// Only the page content's entry is wrong: the damage shows when the page is drawn, not on opening.
std::string ContentOffsetWrong()
{
    std::string bytes = Base();
    std::size_t entry = bytes.find('\n', bytes.rfind("xref\n0 ") + 5) + 1 + 4 * 20; // object 4's entry
    bytes.replace(entry, 10, std::string(10, '0').replace(9, 1, "9"));
    return bytes;
}

std::string TailCut()
{
    std::string bytes = Base();
    return bytes.substr(0, bytes.rfind("endobj") + 7);
}

// The base with a second revision appended: the page's content replaced, a /Prev chain.
std::string Updated()
{
    std::string bytes = Base();
    std::string previous = bytes.substr(bytes.rfind("startxref") + 10);
    previous = previous.substr(0, previous.find('\n'));
    std::size_t offset = bytes.size();
    bytes += "4 0 obj\n" + Stream("BT /F1 12 Tf 72 700 Td (Revised block) Tj ET") + "\nendobj\n";
    std::size_t xref = bytes.size();
    char line[32];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    return bytes + "xref\n4 1\n" + line + "trailer\n<< /Size 6 /Root 1 0 R /Prev " + previous + " >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
}

// Resources and rotation only on the page tree node.
std::string Inherited()
{
    return HandmadePdfBytes({"<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 /Rotate 90 /MediaBox [0 0 595 842]"
        " /Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>", Stream(kPageText),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"});
}

// Two pages sharing their resources, and the resources their XObjects, as indirect objects.
std::string SharedResources()
{
    return HandmadePdfBytes({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R 7 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources 6 0 R /Contents 4 0 R >>", Stream(kPageText),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>", "<< /Font << /F1 5 0 R >> /XObject 8 0 R >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources 6 0 R /Contents 4 0 R >>", "<< >>"});
}

// The one page with annotations, the catalog with a form, and the objects from 6 on.
std::string WithAnnotations(const std::string& form, const std::string& annots, const std::vector<std::string>& more)
{
    auto objects = OnePage();
    objects[0] = "<< /Type /Catalog /Pages 2 0 R /AcroForm " + form + " >>";
    objects[2] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 5 0 R >> >>"
                 " /Contents 4 0 R /Annots " + annots + " >>";
    objects.insert(objects.end(), more.begin(), more.end());
    return HandmadePdfBytes(objects);
}

// A link and a text field.
std::string WithForm()
{
    return WithAnnotations("<< /Fields [7 0 R] >>", "[6 0 R 7 0 R]",
        {"<< /Type /Annot /Subtype /Link /Rect [72 690 200 712] /Border [0 0 0] >>",
            "<< /Type /Annot /Subtype /Widget /FT /Tx /T (Approver) /V (Zhang) /Rect [300 690 500 712] /P 3 0 R"
            " /DA (/F1 10 Tf 0 g) >>"});
}

// A signature field with a value: what a signing tool leaves.
std::string DigitallySigned()
{
    return WithAnnotations("<< /Fields [6 0 R] /SigFlags 3 >>", "[6 0 R]",
        {"<< /Type /Annot /Subtype /Widget /FT /Sig /T (Signature1) /Rect [0 0 0 0] /P 3 0 R /V 7 0 R >>",
            "<< /Type /Sig /Filter /Adobe.PPKLite /SubFilter /adbe.pkcs7.detached /ByteRange [0 100 200 300]"
            " /Contents <3082> >>"});
}

// Appended: the file's bytes kept and the drawing appended to them. Rewritten: written whole, as
// an encrypted file is; Repaired: written whole after qpdf's repair, which it reports.
enum class Outcome { Appended, Rewritten, Repaired, Untouched };

struct CorpusCase {
    const char* name;
    std::function<std::string()> make;
    Outcome outcome;
    const char* reason; // for Untouched: part of the error
    // For some signed ones: qpdf options that show what must survive, and part of what they show.
    const char* qpdfShows = nullptr;
    const char* survivor = nullptr;
};

const std::vector<CorpusCase>& Corpus()
{
    static const std::vector<CorpusCase> corpus{
        {"PDF 1.4, classic cross-reference table", Base, Outcome::Appended, ""},
        {"PDF 1.7", [] { return ThroughQpdf("--force-version=1.7"); }, Outcome::Appended, ""},
        {"PDF 2.0", [] { return ThroughQpdf("--force-version=2.0"); }, Outcome::Appended, ""},
        {"object streams and cross-reference stream", [] { return ThroughQpdf("--object-streams=generate"); },
            Outcome::Appended, ""},
        {"linearized", [] { return ThroughQpdf("--linearize"); }, Outcome::Appended, ""},
        {"incremental update", Updated, Outcome::Appended, ""},
        {"resources and rotation inherited from the page tree", Inherited, Outcome::Appended, ""},
        {"resources and their XObjects shared by pages as objects", SharedResources, Outcome::Appended, ""},
        {"annotations and a form field", WithForm, Outcome::Appended, "", "--json --json-key=acroform", "\"Approver\""},
        {"owner password, permissions only", [] { return ThroughQpdf("--encrypt '' owner 256 --print=none --"); },
            Outcome::Rewritten, "", "--show-encryption", "print low resolution: not allowed"},
        {"cross-reference offsets shifted", Shifted, Outcome::Repaired, ""},
        {"cross-reference table missing", XrefCut, Outcome::Repaired, ""},
        {"tail cut off after the last object", TailCut, Outcome::Repaired, ""},
        {"the page content's offset wrong", ContentOffsetWrong, Outcome::Repaired, ""},
        {"user password", [] { return ThroughQpdf("--encrypt user owner 256 --"); }, Outcome::Untouched,
            "password"},
        {"digitally signed", DigitallySigned, Outcome::Untouched, "digital signature"},
        {"0 bytes", [] { return std::string(); }, Outcome::Untouched, "cannot read the PDF"},
        {"not a PDF", [] { return std::string("Minutes of the review meeting\n"); }, Outcome::Untouched,
            "cannot read the PDF"},
    };
    return corpus;
}

TEST(PdfCorpus, WhatAReaderOpensIsSignedAndValidTheRestStaysAsItWasWithTheReason)
{
    PosixScratchFolder folder;
    int n = 0;
    for (const CorpusCase& c : Corpus()) {
        SCOPED_TRACE(c.name);
        std::string pdf = folder.Path("case" + std::to_string(++n) + ".pdf");
        const std::string before = c.make();
        ASSERT_TRUE(c.outcome == Outcome::Untouched || !before.empty());
        WriteFile(pdf, before);

        pdfstamp::TextStamp signature = TextAt(L"张工 批准", 300, 100);
        signature.fontName = L"楷体";
        auto result = pdfstamp::ApplyStamps(pdf, {signature});

        if (c.outcome == Outcome::Untouched) {
            EXPECT_FALSE(result.ok);
            EXPECT_NE(std::string::npos, result.error.find(c.reason)) << result.error;
            EXPECT_EQ(before, ReadFile(pdf));
            continue;
        }
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(1, result.drawn);
        EXPECT_EQ(c.outcome == Outcome::Repaired, !result.warnings.empty())
            << (result.warnings.empty() ? "" : result.warnings.front());
        const std::string after = ReadFile(pdf);
        EXPECT_EQ(c.outcome == Outcome::Appended, after.size() > before.size() && after.compare(0, before.size(), before) == 0);
        EXPECT_TRUE(QpdfCheckPasses(pdf));
        EXPECT_NE(std::string::npos, PageTextMutool(pdf, 1).find("张工")) << "MuPDF reads it too";
        // Compact: on the turned page the words come out one to a line.
        std::string text = PageTextCompact(pdf, 1);
        EXPECT_NE(std::string::npos, text.find("张工批准")) << text;
        // The page's own text is still there, in its latest revision.
        EXPECT_NE(std::string::npos, text.find(c.make().find("Revised") != std::string::npos ? "Revisedblock" : "Titleblock"))
            << text;
        if (c.qpdfShows != nullptr) {
            std::string shown;
            pdftest::Run(std::string("qpdf ") + c.qpdfShows + " " + Quote(pdf), &shown);
            EXPECT_NE(std::string::npos, shown.find(c.survivor)) << shown;
        }
    }
}

} // namespace
