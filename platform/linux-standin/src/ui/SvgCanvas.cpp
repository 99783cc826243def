#include "SvgCanvas.h"

#include "winenv/Trace.h"

namespace win32ui {

SvgCanvas::SvgCanvas(int width, int height)
{
    m_out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
          << "\" viewBox=\"0 0 " << width << ' ' << height
          << "\" font-family=\"'MS Shell Dlg','Microsoft YaHei','WenQuanYi Zen Hei',sans-serif\" font-size=\"11\">\n";
}

void SvgCanvas::Rect(int x, int y, int w, int h, const char* fill, const char* stroke, const char* extra)
{
    m_out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << (w < 0 ? 0 : w) << "\" height=\"" << (h < 0 ? 0 : h)
          << "\" fill=\"" << fill << "\" stroke=\"" << stroke << "\" " << extra << "/>\n";
}

void SvgCanvas::Line(int x1, int y1, int x2, int y2, const char* stroke, const char* extra)
{
    m_out << "<line x1=\"" << x1 << "\" y1=\"" << y1 << "\" x2=\"" << x2 << "\" y2=\"" << y2 << "\" stroke=\"" << stroke
          << "\" " << extra << "/>\n";
}

void SvgCanvas::Path(const std::string& d, const char* fill, const char* stroke, const char* extra)
{
    m_out << "<path d=\"" << d << "\" fill=\"" << fill << "\" stroke=\"" << stroke << "\" " << extra << "/>\n";
}

void SvgCanvas::Text(int x, int y, const std::wstring& text, const char* anchor, const char* fill, const char* extra)
{
    m_out << "<text x=\"" << x << "\" y=\"" << y << "\" text-anchor=\"" << anchor << "\" fill=\"" << fill << "\" "
          << extra << ">" << Escape(text) << "</text>\n";
}

void SvgCanvas::OpenGroup(const std::string& cssClass, const std::string& title)
{
    m_out << "<g class=\"" << cssClass << "\"><title>" << Escape(winenv::FromUtf8(title)) << "</title>\n";
}

void SvgCanvas::CloseGroup() { m_out << "</g>\n"; }

void SvgCanvas::OpenClip(int x, int y, int w, int h)
{
    std::string id = "clip" + std::to_string(++m_clips);
    m_out << "<clipPath id=\"" << id << "\"><rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << (w < 0 ? 0 : w)
          << "\" height=\"" << (h < 0 ? 0 : h) << "\"/></clipPath><g clip-path=\"url(#" << id << ")\">\n";
}

std::string SvgCanvas::Finish()
{
    m_out << "</svg>\n";
    return m_out.str();
}

std::string SvgCanvas::Escape(const std::wstring& text)
{
    std::string utf8 = winenv::ToUtf8(text);
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace win32ui
