#include "ScreenBuffer.h"

#include <cwchar>

#include <winenv/Trace.h>

namespace plmclient {

int CharWidth(wchar_t ch)
{
    const int w = ::wcwidth(ch);
    return w < 0 ? 1 : w;
}

int TextWidth(const std::wstring& text)
{
    int width = 0;
    for (wchar_t ch : text)
        width += CharWidth(ch);
    return width;
}

ScreenBuffer::ScreenBuffer(int columns, int rows)
    : m_columns(columns > 0 ? columns : 1), m_rows(rows > 0 ? rows : 1),
      m_cells(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows))
{
}

ScreenBuffer::Cell* ScreenBuffer::At(int column, int row)
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return nullptr;
    return &m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

int ScreenBuffer::Put(int column, int row, const std::wstring& text, unsigned char attr, int limit)
{
    const int right = limit < 0 || limit > m_columns ? m_columns : limit;
    for (wchar_t ch : text) {
        if (ch < 0x20 || ch == 0x7F)
            ch = L'?';
        const int w = CharWidth(ch);
        if (w == 0)
            continue; // combining marks are not placed on their own
        if (column + w > right)
            break;
        Cell* cell = At(column, row);
        if (!cell)
            break;
        // Overwriting half of a wide character blanks its other half.
        if (cell->continuation)
            if (Cell* left = At(column - 1, row))
                *left = Cell{L' ', left->attr, false};
        *cell = Cell{ch, attr, false};
        if (w == 2) {
            Cell* half = At(column + 1, row);
            *half = Cell{L' ', attr, true};
        }
        if (Cell* next = At(column + w, row); next && next->continuation)
            *next = Cell{L' ', next->attr, false};
        column += w;
    }
    return column;
}

void ScreenBuffer::Fill(int column, int row, int width, wchar_t ch, unsigned char attr)
{
    Put(column, row, std::wstring(static_cast<size_t>(width > 0 ? width : 0), ch), attr);
}

void ScreenBuffer::Box(int column, int row, int width, int height, const std::wstring& title)
{
    if (width < 2 || height < 2)
        return;
    for (int r = row; r < row + height; ++r)
        Fill(column, r, width, L' ');
    Put(column, row, L"┌" + std::wstring(static_cast<size_t>(width - 2), L'─') + L"┐");
    for (int r = row + 1; r < row + height - 1; ++r) {
        Put(column, r, L"│");
        Put(column + width - 1, r, L"│");
    }
    Put(column, row + height - 1, L"└" + std::wstring(static_cast<size_t>(width - 2), L'─') + L"┘");
    if (!title.empty())
        Put(column + 2, row, L" " + title + L" ", kBold, column + width - 2);
}

std::string ScreenBuffer::Render() const
{
    std::string out = "\x1b[?25l\x1b[H";
    for (int r = 0; r < m_rows; ++r) {
        out += "\x1b[" + std::to_string(r + 1) + ";1H\x1b[0m";
        unsigned char current = kPlain;
        std::wstring run;
        for (int c = 0; c < m_columns; ++c) {
            const Cell& cell = m_cells[static_cast<size_t>(r) * static_cast<size_t>(m_columns) + static_cast<size_t>(c)];
            if (cell.continuation)
                continue;
            if (cell.attr != current) {
                out += winenv::ToUtf8(run);
                run.clear();
                out += "\x1b[0";
                if (cell.attr & kBold)
                    out += ";1";
                if (cell.attr & kDim)
                    out += ";2";
                if (cell.attr & kUnderline)
                    out += ";4";
                if (cell.attr & kInverse)
                    out += ";7";
                out += "m";
                current = cell.attr;
            }
            run += cell.ch;
        }
        out += winenv::ToUtf8(run) + "\x1b[0m";
    }
    return out;
}

} // namespace plmclient
