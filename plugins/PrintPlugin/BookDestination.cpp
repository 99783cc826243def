#include "BookDestination.h"

#include <cstdlib>

#include "PdfBook.h"

namespace printplugin {

std::string ConfiguredBookPath()
{
    const char* path = std::getenv("PLM_PRINT_BOOK");
    return path ? path : "";
}

PrintJobResult PrintAsBook(const std::vector<std::string>& posixPaths, const std::string& bookPath)
{
    PrintJobResult job;
    job.destination = "book:" + bookPath;
    const BookResult book = MakePdfBook(posixPaths, bookPath);
    job.ok = book.ok;
    job.detail = book.ok ? std::to_string(book.pages) + " page(s), " + std::to_string(book.included) +
            " PDF(s), " + std::to_string(book.notIncluded) + " not included"
                         : book.error;
    return job;
}

} // namespace printplugin
