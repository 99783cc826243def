// A small SVG writer: rectangles, lines, paths and text in pixel coordinates, UTF-8 out.
#pragma once

#include <sstream>
#include <string>

namespace win32ui {

class SvgCanvas {
public:
    SvgCanvas(int width, int height);

    void Rect(int x, int y, int w, int h, const char* fill, const char* stroke, const char* extra = "");
    void Line(int x1, int y1, int x2, int y2, const char* stroke, const char* extra = "");
    void Path(const std::string& d, const char* fill, const char* stroke, const char* extra = "");
    // Text with its baseline at y; anchor "start", "middle" or "end".
    void Text(int x, int y, const std::wstring& text, const char* anchor = "start", const char* fill = "#000",
        const char* extra = "");
    void OpenGroup(const std::string& cssClass, const std::string& title);
    void CloseGroup();
    // A group whose drawing shows only inside the rectangle; CloseGroup ends it.
    void OpenClip(int x, int y, int w, int h);

    std::string Finish();

private:
    static std::string Escape(const std::wstring& text);
    std::ostringstream m_out;
    int m_clips = 0;
};

} // namespace win32ui
