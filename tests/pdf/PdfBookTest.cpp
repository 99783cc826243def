// The print plug-in's PDF book, as the client uses it: loaded by name, handed the job's files in
// tree order, with the print settings naming a book file. The book is looked at from outside with
// qpdf and poppler.
#include "PdfTestSupport.h"
#include "ScopedEnvironment.h"

#include <afxcoll.h>
#include <pdfstamp/PdfStamp.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <map>

using namespace pdftest;

namespace {

typedef int (*PFN_PRINTARRAYFILE)(CStringArray* pFiles);

struct OutlineEntry {
    std::string title;
    int page; // 1-based
};

// The outline's top-level entries with the page each points at.
std::vector<OutlineEntry> Outline(const std::string& pdf)
{
    QPDF book;
    book.processFile(pdf.c_str());
    std::map<QPDFObjGen, int> pageNumbers;
    int n = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(book).getAllPages())
        pageNumbers[page.getObjectHandle().getObjGen()] = ++n;
    std::vector<OutlineEntry> entries;
    QPDFOutlineDocumentHelper outline(book);
    for (QPDFOutlineObjectHelper& item : outline.getTopLevelOutlines()) {
        QPDFObjectHandle page = item.getDestPage();
        entries.push_back({item.getTitle(), page.isNull() ? 0 : pageNumbers[page.getObjGen()]});
    }
    return entries;
}

class PdfBook : public ::testing::Test {
protected:
    void SetUp() override
    {
        HMODULE hModule = LoadLibraryW(L"PrintPlugin.dll");
        ASSERT_NE(nullptr, hModule);
        m_pfnPrint = reinterpret_cast<PFN_PRINTARRAYFILE>(GetProcAddress(hModule, "PrintArrayFile"));
        ASSERT_NE(nullptr, m_pfnPrint);
    }

    // A sample PDF whose every page is titled with its name.
    std::string Pdf(const std::string& name, int pages)
    {
        const std::string path = m_folder.Path(name);
        EXPECT_TRUE(pdfstamp::MakeSamplePdf(path, winenv::FromUtf8(name), {L"body"}, pages));
        return path;
    }
    std::string Other(const std::string& name, const std::string& content)
    {
        const std::string path = m_folder.Path(name);
        WriteFile(path, content);
        return path;
    }

    int Print(const std::vector<std::string>& files)
    {
        CStringArray array;
        for (const std::string& file : files)
            array.Add(CString(winenv::FromPosixPath(file).c_str()));
        return m_pfnPrint(&array);
    }

    PosixScratchFolder m_folder;
    std::string m_book = m_folder.Path("书册.pdf");
    ScopedEnvironment m_setting{"PLM_PRINT_BOOK", m_book};
    PFN_PRINTARRAYFILE m_pfnPrint = nullptr;
};

TEST_F(PdfBook, HoldsTheContentsThenEveryPageInTheOrderGiven)
{
    const std::vector<std::string> files = {Pdf("GR200-00-00装配图.pdf", 2), Other("GR200-00-00.dwg", "AC1027"),
        Pdf("B-02.pdf", 3), Pdf("a-01.PDF", 1)};
    winenv::TraceRecorder trace;
    EXPECT_EQ(1, Print(files));

    ASSERT_EQ(1 + 2 + 3 + 1, PageCount(m_book));
    EXPECT_TRUE(QpdfCheckPasses(m_book));
    // Each page of a file is where the book says, in the file's own page order.
    const struct {
        int bookPage;
        const char* title;
        const char* pageLine;
    } pages[] = {{2, "GR200-00-00装配图.pdf", "- 1 / 2 -"}, {3, "GR200-00-00装配图.pdf", "- 2 / 2 -"},
        {4, "B-02.pdf", "- 1 / 3 -"}, {5, "B-02.pdf", "- 2 / 3 -"}, {6, "B-02.pdf", "- 3 / 3 -"},
        {7, "a-01.PDF", "- 1 / 1 -"}};
    for (const auto& page : pages) {
        const std::string text = PageText(m_book, page.bookPage);
        EXPECT_NE(std::string::npos, text.find(page.title)) << "page " << page.bookPage << ": " << text;
        EXPECT_NE(std::string::npos, text.find(page.pageLine)) << "page " << page.bookPage << ": " << text;
    }

    const auto events = trace.OfKind("print_job");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ("book:" + m_book, events[0].Get("destination"));
    EXPECT_EQ("ok", events[0].Get("result"));
    EXPECT_EQ("7 page(s), 3 PDF(s), 1 not included", events[0].Get("detail"));
}

// The contents page names each file with its first page, or as not included; the outline has an
// entry for each PDF at its first page.
TEST_F(PdfBook, ItsContentsPageAndOutlineNameEachFileAtItsFirstPage)
{
    Print({Pdf("GR200-00-00装配图.pdf", 2), Other("GR200-00-00.dwg", "AC1027"), Pdf("B-02.pdf", 3)});
    const std::string contents = PageText(m_book, 1);
    for (const char* line : {"目录", "1. GR200-00-00装配图.pdf", "2", "2. GR200-00-00.dwg (不是 PDF，未收录)",
             "3. B-02.pdf", "4"})
        EXPECT_NE(std::string::npos, contents.find(line)) << line << " in:\n" << contents;
    // The page numbers stand beside their names: the first file's line ends in 2, the third's in 4.
    EXPECT_NE(std::string::npos, contents.find("GR200-00-00装配图.pdf 2")) << contents;
    EXPECT_NE(std::string::npos, contents.find("B-02.pdf 4")) << contents;
    const std::vector<OutlineEntry> outline = Outline(m_book);
    ASSERT_EQ(2u, outline.size());
    EXPECT_EQ("GR200-00-00装配图.pdf", outline[0].title);
    EXPECT_EQ(2, outline[0].page);
    EXPECT_EQ("B-02.pdf", outline[1].title);
    EXPECT_EQ(4, outline[1].page);
}

TEST_F(PdfBook, ManyFilesTakeMoreContentsPagesAndThePageNumbersCountThem)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 40; ++i)
        files.push_back(Pdf("P-" + std::to_string(100 + i) + ".pdf", 1));
    Print(files);

    ASSERT_EQ(2 + 40, PageCount(m_book));
    EXPECT_NE(std::string::npos, PageText(m_book, 1).find("1. P-101.pdf 3")) << PageText(m_book, 1);
    EXPECT_NE(std::string::npos, PageText(m_book, 2).find("40. P-140.pdf 42")) << PageText(m_book, 2);
    EXPECT_NE(std::string::npos, PageText(m_book, 42).find("P-140.pdf"));
    const std::vector<OutlineEntry> outline = Outline(m_book);
    ASSERT_EQ(40u, outline.size());
    EXPECT_EQ(42, outline.back().page);
}

// A file that claims to be a PDF but is none, or one that is gone: the job fails, names the file,
// and no book (nor a part of one) is left; a book already there stays as it was.
TEST_F(PdfBook, APdfThatCannotBeReadFailsTheJobAndLeavesNoBook)
{
    const struct {
        const char* name;
        const char* content; // null: the file is not there
    } cases[] = {{"broken.pdf", "this is not a PDF at all"}, {"empty.pdf", ""}, {"missing.pdf", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bad = c.content ? Other(c.name, c.content) : m_folder.Path(c.name);
        const std::vector<std::string> files = {Pdf("A-01.pdf", 1), bad, Pdf("B-02.pdf", 1)};
        for (const bool bookWasThere : {false, true}) {
            std::remove(m_book.c_str());
            if (bookWasThere)
                WriteFile(m_book, "the previous book");
            const std::vector<std::string> before = m_folder.Files();
            winenv::TraceRecorder trace;
            EXPECT_EQ(0, Print(files));

            const auto events = trace.OfKind("print_job");
            ASSERT_EQ(1u, events.size());
            EXPECT_EQ("failed", events[0].Get("result"));
            EXPECT_EQ(0u, events[0].Get("detail").rfind(std::string("cannot read ") + c.name + " as a PDF: ", 0))
                << events[0].Get("detail");
            EXPECT_EQ(before, m_folder.Files());
            EXPECT_EQ(bookWasThere ? "the previous book" : "", ReadFile(m_book));
        }
    }
}

TEST_F(PdfBook, WithoutTheSettingTheJobGoesToTheSpoolFolderAsBefore)
{
    PosixScratchFolder spool;
    ScopedEnvironment noBook("PLM_PRINT_BOOK", std::nullopt);
    ScopedEnvironment noPrinter("PLM_PRINTER", std::nullopt);
    ScopedEnvironment spoolFolder("PLM_PRINT_SPOOL", spool.Path());
    winenv::TraceRecorder trace;
    EXPECT_EQ(1, Print({Pdf("A-01.pdf", 1)}));

    const auto events = trace.OfKind("print_job");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(0u, events[0].Get("destination").rfind(spool.Path() + "/job-", 0));
    EXPECT_FALSE(viztest::FileExists(winenv::FromPosixPath(m_book)));
}

} // namespace
