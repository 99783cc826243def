#include "StampDrawing.h"

#include "GlyphOutline.h"
#include "MarkDrawing.h"
#include "PageContent.h"
#include "PageFrame.h"
#include "PdfFonts.h"
#include "Picture.h"

#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <utility>
#include <utf/Utf.h>

namespace pdfstamp {
namespace {

// Signature pictures are made for the Windows screen: 96 pixels to the inch.
constexpr double kPointsPerPixel = 72.0 / 96.0;

// Fixed-point, as printf's "%.4f" writes it (to_chars rounds alike, without the locale and the
// format parsing), trailing zeros dropped.
std::string Num(double value, int decimals = 4)
{
    char buffer[400]; // the largest double has 309 digits before the point
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string Colour(const Rgb& colour)
{
    auto channel = [](int v) { return Num(std::min(255, std::max(0, v)) / 255.0); };
    return channel(colour.r) + " " + channel(colour.g) + " " + channel(colour.b) + " rg\n";
}

// What one page's form holds: its drawing and the resources it names.
struct PageDrawing {
    std::string content;
    std::map<std::string, QPDFObjectHandle> fonts;
    std::map<std::string, QPDFObjectHandle> images;
    std::map<std::string, QPDFObjectHandle> states;
};

std::string NameFor(std::map<std::string, QPDFObjectHandle>& names, const std::string& stem, QPDFObjectHandle object)
{
    for (const auto& [name, existing] : names)
        if (existing.getObjGen() == object.getObjGen())
            return name;
    std::string name = "/" + stem + std::to_string(names.size() + 1);
    names.emplace(name, object);
    return name;
}

QPDFObjectHandle MakeImage(QPDF& pdf, const Picture& picture)
{
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf, picture.rgb);
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(picture.width));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(picture.height));
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    if (!picture.alpha.empty()) {
        QPDFObjectHandle mask = QPDFObjectHandle::newStream(&pdf, picture.alpha);
        QPDFObjectHandle maskDict = mask.getDict();
        maskDict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        maskDict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        maskDict.replaceKey("/Width", QPDFObjectHandle::newInteger(picture.width));
        maskDict.replaceKey("/Height", QPDFObjectHandle::newInteger(picture.height));
        maskDict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
        maskDict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        dict.replaceKey("/SMask", mask);
    }
    return image;
}

QPDFObjectHandle MakeForm(QPDF& pdf, const PageFrame& frame, const PageDrawing& drawing)
{
    QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, drawing.content);
    QPDFObjectHandle dict = form.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    dict.replaceKey("/BBox", QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(0, 0, frame.width, frame.height)));
    const auto& m = frame.matrix;
    dict.replaceKey("/Matrix", QPDFObjectHandle::newArray(QPDFObjectHandle::Matrix(m[0], m[1], m[2], m[3], m[4], m[5])));
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    auto add = [&resources](const char* key, const std::map<std::string, QPDFObjectHandle>& names) {
        if (names.empty())
            return;
        QPDFObjectHandle sub = QPDFObjectHandle::newDictionary();
        for (const auto& [name, object] : names)
            sub.replaceKey(name, object);
        resources.replaceKey(key, sub);
    };
    add("/Font", drawing.fonts);
    add("/XObject", drawing.images);
    add("/ExtGState", drawing.states);
    dict.replaceKey("/Resources", resources);
    return form;
}

// A text stamp after shaping, waiting for its fonts to be embedded.
struct LaidText {
    const TextStamp* stamp;
    ShapedLine shaped;
};

void DrawText(PageDrawing& drawing, const PdfFonts& fonts, const LaidText& laid)
{
    const TextStamp& stamp = *laid.stamp;
    double width = laid.shaped.Width(stamp.fontSize);
    double ascent = laid.shaped.Ascent(stamp.fontSize);
    double descent = laid.shaped.Descent(stamp.fontSize);
    double size = stamp.fontSize;
    double x = stamp.x;
    double y = stamp.y;
    if (stamp.width > 0 && stamp.height > 0) {
        double scale = 1.0;
        if (width > stamp.width)
            scale = stamp.width / width;
        if (ascent - descent > 0 && (ascent - descent) * scale > stamp.height)
            scale = stamp.height / (ascent - descent);
        size *= scale;
        x = stamp.x + (stamp.width - width * scale) / 2;
        y = stamp.y + (stamp.height - (ascent - descent) * scale) / 2 - descent * scale;
    }
    // Each run sets its face; TJ moves the pen on, so the runs join up.
    std::string show;
    for (const ShapedText& run : laid.shaped.runs)
        show += NameFor(drawing.fonts, "F", fonts.FontObject(run)) + " " + Num(size) + " Tf\n" + fonts.ShowOperator(run)
            + "\n";
    drawing.content += "q\n" + Colour(stamp.color) + "BT\n1 0 0 1 " + Num(x) + " " + Num(y) + " Tm\n" + show + "ET\nQ\n";
}

QPDFObjectHandle MakeTranslucency(QPDF& pdf, double opacity)
{
    QPDFObjectHandle state = QPDFObjectHandle::parse("<< /Type /ExtGState >>");
    state.replaceKey("/ca", QPDFObjectHandle::newReal(opacity, 3));
    state.replaceKey("/CA", QPDFObjectHandle::newReal(opacity, 3));
    return pdf.makeIndirectObject(state);
}

// The watermark's size on a page: its text across the diagonal, covering the given share of it.
double WatermarkSize(const Watermark& watermark, const ShapedLine& shaped, const PageFrame& frame)
{
    return watermark.coverage * std::hypot(frame.width, frame.height) / std::max(1e-6, shaped.Width(1));
}

// The watermark's text as filled glyph outlines at `size` points, its baseline from the origin
// along x: one form for every page of the document, so the outlines are drawn and compressed once.
// It adds no text to the page, so extractors and screen readers read the page's own text alone.
// Each run is scaled once and its glyphs moved in whole font units: integers are short to write
// and need no rounding.
QPDFObjectHandle MakeWatermarkForm(QPDF& pdf, const ShapedLine& shaped, double size)
{
    std::map<std::pair<const FontFace*, unsigned>, std::string> outlines; // a glyph may recur
    std::string glyphs;
    double pen = 0; // points along the baseline
    auto units = [&glyphs](long x, long y) {
        char text[48];
        char* end = std::to_chars(text, text + 20, x).ptr;
        *end++ = ' ';
        end = std::to_chars(end, end + 20, y).ptr;
        glyphs += "1 0 0 1 ";
        glyphs.append(text, end);
        glyphs += " cm\n";
    };
    for (const ShapedText& run : shaped.runs) {
        const double perUnit = size / run.face->UnitsPerEm();
        // A unit is a small fraction of a point: four decimals would stretch a caption by a percent.
        glyphs += "q " + Num(perUnit, 8) + " 0 0 " + Num(perUnit, 8) + " " + Num(pen) + " 0 cm\n";
        long runPen = 0, x = 0, y = 0; // font units from the run's start; where the last glyph was put
        for (const ShapedGlyph& glyph : run.glyphs) {
            const auto key = std::make_pair(run.face.get(), glyph.gid);
            auto outline = outlines.find(key);
            if (outline == outlines.end())
                outline = outlines.emplace(key, GlyphOutlinePath(*run.face, glyph.gid)).first;
            const std::string& path = outline->second;
            if (!path.empty()) {
                units(runPen + glyph.xOffset - x, glyph.yOffset - y);
                x = runPen + glyph.xOffset;
                y = glyph.yOffset;
                glyphs += path;
                glyphs += "f\n";
            }
            runPen += glyph.xAdvance;
        }
        glyphs += "Q\n";
        pen += runPen * perUnit;
    }
    QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, glyphs);
    QPDFObjectHandle dict = form.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    // Outlines may reach past the advances and the ascent: a margin of an em all round.
    dict.replaceKey("/BBox", QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(
                                 -size, shaped.Descent(size) - size, pen + size, shaped.Ascent(size) + size)));
    return form;
}

// The watermark form across the page's diagonal, its text's middle on the page's centre, marked
// as an artifact.
void DrawWatermark(PageDrawing& drawing, const Watermark& watermark, const ShapedLine& shaped,
    QPDFObjectHandle translucency, const PageFrame& frame, QPDFObjectHandle form, double formSize)
{
    double angle = std::atan2(frame.height, frame.width);
    double width = std::max(1e-6, shaped.Width(1));
    double size = WatermarkSize(watermark, shaped, frame);
    double middle = (shaped.Ascent(size) + shaped.Descent(size)) / 2;
    double c = std::cos(angle);
    double s = std::sin(angle);
    // Start of the baseline, so that the text's middle lies on the page's centre.
    double x = frame.width / 2 - c * width * size / 2 + s * middle;
    double y = frame.height / 2 - s * width * size / 2 - c * middle;
    double k = size / formSize;
    std::string stateName = NameFor(drawing.states, "GS", translucency);
    std::string formName = NameFor(drawing.images, "Wm", form);
    drawing.content += "/Artifact << /Type /Pagination /Subtype /Watermark >> BDC\nq\n" + stateName + " gs\n"
        + Colour(watermark.color) + Num(c * k) + " " + Num(s * k) + " " + Num(-s * k) + " " + Num(c * k) + " " + Num(x)
        + " " + Num(y) + " cm\n" + formName + " Do\nQ\nEMC\n";
}

std::string MissingCharacters(const std::wstring& missing)
{
    std::string text;
    char code[16];
    for (char32_t c : utf::CodePoints(missing)) {
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        text += (text.empty() ? "" : ", ") + std::string(code) + " \"" + utf::ToUtf8(std::u32string(1, c)) + "\"";
    }
    return "no installed font has " + text;
}

std::string Utf8Text(const std::wstring& text)
{
    const std::u32string characters = utf::CodePoints(text);
    return utf::ToUtf8(characters.size() > 40 ? characters.substr(0, 40) + U"..." : characters);
}

} // namespace

bool DrawStamps(PdfEdit& edit, const std::vector<Stamp>& stamps, const Watermark* watermark, StampResult& result)
{
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(edit.Document()).getAllPages();
    QPDF& maker = edit.Maker();
    const int pageCount = static_cast<int>(pages.size());
    if (pageCount == 0) {
        result.error = "the document has no pages";
        return false;
    }

    // Shape every text first, so that each face is embedded once with all its glyphs.
    PdfFonts fonts;
    std::map<int, std::vector<std::pair<std::size_t, LaidText>>> texts;     // page -> (order, text)
    std::map<int, std::vector<std::pair<std::size_t, const PictureStamp*>>> pictures;
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        int page = std::visit([](const auto& s) { return s.page; }, stamps[i]);
        int index = page > 0 ? page - 1 : pageCount + page;
        if (page == 0 || index < 0 || index >= pageCount) {
            result.skipped.push_back("stamp " + std::to_string(i + 1) + ": page " + std::to_string(page)
                + " not in 1.." + std::to_string(pageCount));
            continue;
        }
        if (const auto* text = std::get_if<TextStamp>(&stamps[i])) {
            LaidText laid{text, fonts.Shape(text->text, text->fontName)};
            if (laid.shaped.Empty()) {
                result.skipped.push_back("stamp " + std::to_string(i + 1) + ": no font for \"" + Utf8Text(text->text) + "\"");
                continue;
            }
            if (!laid.shaped.missing.empty())
                result.warnings.push_back("stamp " + std::to_string(i + 1) + ": " + MissingCharacters(laid.shaped.missing));
            texts[index].emplace_back(i, std::move(laid));
        } else {
            pictures[index].emplace_back(i, &std::get<PictureStamp>(stamps[i]));
        }
    }
    ShapedLine watermarkText;
    if (watermark) {
        // Drawn as outlines: no font is embedded for it.
        watermarkText = ShapeLine(watermark->text, watermark->fontName);
        if (watermarkText.Empty()) {
            result.error = "no font for the watermark text";
            return false;
        }
        if (!watermarkText.missing.empty())
            result.warnings.push_back("watermark: " + MissingCharacters(watermarkText.missing));
    }
    const VerificationMark* mark = watermark && !watermark->mark.code.empty() ? &watermark->mark : nullptr;
    ShapedLine markCaption;
    int markModules = 0;
    std::vector<unsigned char> markDark;
    if (mark) {
        if (!EncodeQrCode(mark->code, markModules, markDark)) {
            result.error = "the verification mark's text cannot be encoded as a QR code";
            return false;
        }
        markCaption = ShapeLine(mark->caption, watermark->fontName); // the face the watermark loads already
        if (!mark->caption.empty() && markCaption.Empty()) {
            result.error = "no font for the verification mark's caption";
            return false;
        }
        if (!mark->xmp.empty())
            PutMetadata(edit, mark->xmp);
    }
    if (!fonts.Embed(maker)) {
        result.error = "cannot subset a font";
        return false;
    }

    struct PlacedImage {
        QPDFObjectHandle image;
        int width;
        int height;
    };
    std::map<std::string, PlacedImage> imageCache; // one image object per picture file
    QPDFObjectHandle translucency = watermark ? MakeTranslucency(maker, watermark->opacity) : QPDFObjectHandle();
    QPDFObjectHandle watermarkForm;
    double watermarkFormSize = 0;
    QPDFObjectHandle markImage;
    QPDFObjectHandle captionForm;
    const double captionSize = mark ? std::min(7.0, mark->size / std::max(1e-6, markCaption.Width(1))) : 0;
    for (int index = 0; index < pageCount; ++index) {
        if (!watermark && !texts.count(index) && !pictures.count(index))
            continue;
        PageFrame frame = FrameOf(pages[index]);
        PageDrawing drawing;
        // Stamps keep the order they were given in, pictures and texts interleaved. Bindings are
        // captured through initialisers: C++17 cannot name them in a capture list.
        std::map<std::size_t, std::function<void()>> ordered;
        for (auto& [order, laid] : texts[index])
            ordered[order] = [&drawing, &fonts, &laid = laid, &result] {
                DrawText(drawing, fonts, laid);
                ++result.drawn;
            };
        for (auto& [order, picture] : pictures[index])
            ordered[order] = [&, order = order, picture = picture] {
                auto cached = imageCache.find(picture->path);
                if (cached == imageCache.end()) {
                    Picture decoded;
                    std::string error;
                    if (!LoadPicture(picture->path, decoded, error)) {
                        result.skipped.push_back("stamp " + std::to_string(order + 1) + ": " + error);
                        return;
                    }
                    PlacedImage placed{MakeImage(maker, decoded), decoded.width, decoded.height};
                    cached = imageCache.emplace(picture->path, placed).first;
                }
                const PlacedImage& placed = cached->second;
                double w = picture->width > 0 ? picture->width : placed.width * kPointsPerPixel;
                double h = picture->height > 0 ? picture->height : placed.height * kPointsPerPixel;
                std::string name = NameFor(drawing.images, "Im", placed.image);
                drawing.content += "q\n" + Num(w) + " 0 0 " + Num(h) + " " + Num(picture->x) + " " + Num(picture->y)
                    + " cm\n" + name + " Do\nQ\n";
                ++result.drawn;
            };
        for (auto& [order, draw] : ordered)
            draw();
        if (watermark) {
            if (!watermarkForm.isInitialized()) {
                // Drawn at the first page's size: pages of that size use it as it is.
                watermarkFormSize = WatermarkSize(*watermark, watermarkText, frame);
                watermarkForm = MakeWatermarkForm(maker, watermarkText, watermarkFormSize);
            }
            DrawWatermark(drawing, *watermark, watermarkText, translucency, frame, watermarkForm, watermarkFormSize);
            ++result.drawn;
        }
        if (mark) {
            if (!markImage.isInitialized()) {
                markImage = MakeQrCodeImage(maker, markModules, markDark);
                // A few hundred bytes of near-random bits: deflating takes a typical mark's 270 to 249.
                edit.KeepPlain(markImage);
                if (!markCaption.Empty()) {
                    captionForm = MakeWatermarkForm(maker, markCaption, captionSize);
                    // A few kilobytes of outlines, new in every document: deflating them was
                    // about a fifth of what the mark costs a document.
                    edit.KeepPlain(captionForm);
                }
            }
            // Opaque, over the watermark: a scanner needs the code's contrast.
            const auto [x, y] = MarkOrigin(*mark, frame.width, frame.height);
            drawing.content += "/Artifact << /Type /Pagination /Subtype /Watermark >> BDC\nq\n" + Num(mark->size) +
                " 0 0 " + Num(mark->size) + " " + Num(x) + " " + Num(y) + " cm\n1 g\n0 0 1 1 re f\n0 g\n" +
                NameFor(drawing.images, "Mk", markImage) + " Do\nQ\n";
            // The caption above a code at the bottom, below one at the top: on the page either way.
            const bool atBottom = y < frame.height / 2;
            const double captionY = atBottom ? y + mark->size + 1 - markCaption.Descent(captionSize)
                                             : y - 1 - markCaption.Ascent(captionSize);
            if (captionForm.isInitialized())
                drawing.content += "q\n0 g\n1 0 0 1 " + Num(x + (mark->size - markCaption.Width(captionSize)) / 2) + " " +
                    Num(captionY) + " cm\n" +
                    NameFor(drawing.images, "Mc", captionForm) + " Do\nQ\n";
            drawing.content += "EMC\n";
        }
        if (drawing.content.empty())
            continue;
        DrawFormOnPage(edit, pages[index], MakeForm(maker, frame, drawing));
    }
    return true;
}

} // namespace pdfstamp
