#include "PdfFonts.h"


#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utf/Utf.h>

namespace pdfstamp {
namespace {

std::string Hex4(unsigned value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", value & 0xFFFF);
    return buffer;
}

// Big-endian UTF-16 in hex, surrogate pairs above the BMP: a ToUnicode CMap's destination.
std::string HexUtf16BE(const std::wstring& text)
{
    std::string out;
    char buffer[8];
    for (const char16_t unit : utf::ToUtf16(utf::CodePoints(text))) {
        std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(unit));
        out += buffer;
    }
    return out;
}

// Subset fonts carry a six-letter tag before their name; derived from the glyph set so that
// equal subsets get equal names, in 32-bit builds too (64 bits whatever size_t is).
std::string SubsetTag(const std::set<unsigned>& gids)
{
    std::uint64_t hash = 0;
    for (unsigned gid : gids)
        hash = hash * 31 + gid;
    std::string tag;
    for (int i = 0; i < 6; ++i) {
        tag += static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag;
}

std::string ToUnicodeCMap(const std::map<unsigned, std::wstring>& unicode, const std::map<unsigned, unsigned>& newGid)
{
    std::string body;
    std::vector<std::string> lines;
    for (const auto& [gid, text] : unicode) {
        auto it = newGid.find(gid);
        if (it != newGid.end() && !text.empty())
            lines.push_back("<" + Hex4(it->second) + "> <" + HexUtf16BE(text) + ">\n");
    }
    // A bfchar block holds at most 100 entries.
    for (std::size_t i = 0; i < lines.size(); i += 100) {
        std::size_t n = std::min<std::size_t>(100, lines.size() - i);
        body += std::to_string(n) + " beginbfchar\n";
        for (std::size_t j = i; j < i + n; ++j)
            body += lines[j];
        body += "endbfchar\n";
    }
    return "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
           "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
           "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
           "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
        + body + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

int Thousandths(int fontUnits, unsigned upem)
{
    return static_cast<int>(static_cast<long long>(fontUnits) * 1000 / static_cast<long long>(upem));
}

} // namespace

int ShapedText::Width() const
{
    int width = 0;
    for (const ShapedGlyph& glyph : glyphs)
        width += glyph.xAdvance;
    return width;
}

double ShapedLine::Width(double size) const
{
    double width = 0;
    for (const ShapedText& run : runs)
        width += run.Width() * size / run.face->UnitsPerEm();
    return width;
}

double ShapedLine::Ascent(double size) const
{
    double ascent = 0;
    for (const ShapedText& run : runs)
        ascent = std::max(ascent, run.face->Ascender() * size / run.face->UnitsPerEm());
    return ascent;
}

double ShapedLine::Descent(double size) const
{
    double descent = 0;
    for (const ShapedText& run : runs)
        descent = std::min(descent, run.face->Descender() * size / run.face->UnitsPerEm());
    return descent;
}

ShapedLine ShapeLine(const std::wstring& text, const std::wstring& fontName)
{
    ShapedLine line;
    LocatedText located = LocateFonts(fontName, text);
    for (const FontRun& found : located.runs) {
        ShapedText run;
        run.face = FontFace::Open(found.file);
        if (!run.face)
            return ShapedLine{};
        run.glyphs = run.face->Shape(found.text);
        line.runs.push_back(std::move(run));
    }
    line.missing = located.missing;
    return line;
}

ShapedLine PdfFonts::Shape(const std::wstring& text, const std::wstring& fontName)
{
    ShapedLine line = ShapeLine(text, fontName);
    for (const ShapedText& run : line.runs) {
        Used& used = m_used[run.face->Id()];
        used.face = run.face;
        used.gids.insert(0); // .notdef stays glyph 0 in every subset
        for (const ShapedGlyph& glyph : run.glyphs) {
            used.gids.insert(glyph.gid);
            if (!glyph.text.empty())
                used.unicode.emplace(glyph.gid, glyph.text);
        }
    }
    return line;
}

bool PdfFonts::Embed(QPDF& pdf)
{
    for (auto& [id, used] : m_used) {
        used.subset = SubsetFont(*used.face, used.gids);
        if (!used.subset)
            return false;
        const FontFace& face = *used.face;
        unsigned upem = face.UnitsPerEm();
        std::string baseName = SubsetTag(used.gids) + "+" + face.PostScriptName();

        // Compressed once with the subset (and cached with it), so the writer copies it as it is.
        QPDFObjectHandle fontFile = QPDFObjectHandle::newStream(&pdf);
        fontFile.replaceStreamData(
            used.subset->deflated, QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
        fontFile.getDict().replaceKey("/Length1", QPDFObjectHandle::newInteger(static_cast<long long>(used.subset->data.size())));

        int box[4];
        face.BoundingBox(box);
        int flags = 4; // symbolic: the glyphs are addressed by id, not by a standard encoding
        if (face.IsFixedPitch())
            flags |= 1;
        if (face.IsSerif())
            flags |= 2;
        QPDFObjectHandle descriptor = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /FontDescriptor /ItalicAngle 0 /StemV 80 >>"));
        descriptor.replaceKey("/FontName", QPDFObjectHandle::newName("/" + baseName));
        descriptor.replaceKey("/Flags", QPDFObjectHandle::newInteger(flags));
        descriptor.replaceKey("/FontBBox",
            QPDFObjectHandle::parse("[" + std::to_string(Thousandths(box[0], upem)) + " "
                + std::to_string(Thousandths(box[1], upem)) + " " + std::to_string(Thousandths(box[2], upem)) + " "
                + std::to_string(Thousandths(box[3], upem)) + "]"));
        descriptor.replaceKey("/Ascent", QPDFObjectHandle::newInteger(Thousandths(face.Ascender(), upem)));
        descriptor.replaceKey("/Descent", QPDFObjectHandle::newInteger(Thousandths(face.Descender(), upem)));
        descriptor.replaceKey("/CapHeight", QPDFObjectHandle::newInteger(Thousandths(face.CapHeight(), upem)));
        descriptor.replaceKey("/FontFile2", fontFile);

        std::string widths = "[";
        for (const auto& [oldGid, newGid] : used.subset->newGid)
            widths += " " + std::to_string(newGid) + " [" + std::to_string(Thousandths(face.GlyphAdvance(oldGid), upem)) + "]";
        widths += " ]";

        QPDFObjectHandle cidFont = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Font /Subtype /CIDFontType2 /CIDToGIDMap /Identity"
            " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> >>"));
        cidFont.replaceKey("/BaseFont", QPDFObjectHandle::newName("/" + baseName));
        cidFont.replaceKey("/FontDescriptor", descriptor);
        cidFont.replaceKey("/W", QPDFObjectHandle::parse(widths));

        QPDFObjectHandle toUnicode = QPDFObjectHandle::newStream(&pdf, ToUnicodeCMap(used.unicode, used.subset->newGid));
        used.font = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type0 /Encoding /Identity-H >>"));
        used.font.replaceKey("/BaseFont", QPDFObjectHandle::newName("/" + baseName));
        used.font.replaceKey("/DescendantFonts", QPDFObjectHandle::newArray({cidFont}));
        used.font.replaceKey("/ToUnicode", toUnicode);
    }
    return true;
}

QPDFObjectHandle PdfFonts::FontObject(const ShapedText& text) const
{
    return m_used.at(text.face->Id()).font;
}

std::string PdfFonts::ShowOperator(const ShapedText& text) const
{
    const Used& used = m_used.at(text.face->Id());
    const FontFace& face = *text.face;
    unsigned upem = face.UnitsPerEm();
    std::string out = "[<";
    for (const ShapedGlyph& glyph : text.glyphs) {
        auto it = used.subset->newGid.find(glyph.gid);
        out += Hex4(it != used.subset->newGid.end() ? it->second : 0);
        // TJ moves by the font's own width; the shaped advance (kerning) differs by this much.
        int adjust = Thousandths(face.GlyphAdvance(glyph.gid) - glyph.xAdvance, upem);
        if (adjust != 0)
            out += "> " + std::to_string(adjust) + " <";
    }
    out += ">] TJ";
    return out;
}

} // namespace pdfstamp
