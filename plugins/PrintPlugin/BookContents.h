// The contents pages of a PDF book, drawn with the stamping library (Chinese file names included).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

namespace printplugin {

struct ContentsLine {
    std::wstring name;
    int firstPage = 0; // 0: not in the book
};

// Lines on one contents page.
constexpr int kContentsLinesPerPage = 36;

int ContentsPageCount(size_t lines);

// The contents as a PDF of ContentsPageCount(lines.size()) A4 pages, held in memory. Throws
// std::runtime_error when it cannot be drawn.
std::unique_ptr<QPDF> MakeContentsPages(const std::vector<ContentsLine>& lines, std::string& buffer);

} // namespace printplugin
