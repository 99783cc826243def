// A picture of the terminal, cell by cell, written out in one go. Wide characters (Chinese)
// take two cells, as wcwidth says.
#pragma once

#include <string>
#include <vector>

namespace plmclient {

enum Attr : unsigned char {
    kPlain = 0,
    kBold = 1,
    kInverse = 2,
    kUnderline = 4,
    kDim = 8,
};

class ScreenBuffer {
public:
    ScreenBuffer(int columns, int rows);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }

    // Writes text from (column, row), clipped at `limit` columns (the right edge when negative).
    // Returns the column after the last cell written.
    int Put(int column, int row, const std::wstring& text, unsigned char attr = kPlain, int limit = -1);
    void Fill(int column, int row, int width, wchar_t ch, unsigned char attr = kPlain);
    void Box(int column, int row, int width, int height, const std::wstring& title);

    // The bytes that draw the whole picture (UTF-8, ANSI attributes), cursor hidden.
    std::string Render() const;

private:
    struct Cell {
        wchar_t ch = L' ';
        unsigned char attr = kPlain;
        bool continuation = false; // the right half of a wide character
    };
    Cell* At(int column, int row);

    int m_columns, m_rows;
    std::vector<Cell> m_cells;
};

// Display width of text in cells (control characters count as one, shown as '?').
int TextWidth(const std::wstring& text);
int CharWidth(wchar_t ch);

} // namespace plmclient
