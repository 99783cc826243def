#include "StampDrawing.h"

#include "PageContent.h"
#include "PageFrame.h"
#include "PdfFonts.h"
#include "Picture.h"
#include "Utf8.h"

#include <qpdf/QPDFPageDocumentHelper.hh>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace pdfstamp {
namespace {

// Signature pictures are made for the Windows screen: 96 pixels to the inch.
constexpr double kPointsPerPixel = 72.0 / 96.0;

std::string Num(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    std::string text = buffer;
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

// A text stamp after shaping, waiting for its font to be embedded.
struct LaidText {
    const TextStamp* stamp;
    ShapedText shaped;
};

void DrawText(PageDrawing& drawing, const PdfFonts& fonts, const LaidText& laid)
{
    const TextStamp& stamp = *laid.stamp;
    const FontFace& face = *laid.shaped.face;
    double perUnit = stamp.fontSize / face.UnitsPerEm();
    double width = laid.shaped.Width() * perUnit;
    double ascent = face.Ascender() * perUnit;
    double descent = face.Descender() * perUnit;
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
    std::string font = NameFor(drawing.fonts, "F", fonts.FontObject(laid.shaped));
    drawing.content += "q\n" + Colour(stamp.color) + "BT\n" + font + " " + Num(size) + " Tf\n1 0 0 1 " + Num(x) + " "
        + Num(y) + " Tm\n" + fonts.ShowOperator(laid.shaped) + "\nET\nQ\n";
}

QPDFObjectHandle MakeTranslucency(QPDF& pdf, double opacity)
{
    QPDFObjectHandle state = QPDFObjectHandle::parse("<< /Type /ExtGState >>");
    state.replaceKey("/ca", QPDFObjectHandle::newReal(opacity, 3));
    state.replaceKey("/CA", QPDFObjectHandle::newReal(opacity, 3));
    return pdf.makeIndirectObject(state);
}

void DrawWatermark(PageDrawing& drawing, const PdfFonts& fonts, const Watermark& watermark, const ShapedText& shaped,
    QPDFObjectHandle translucency, const PageFrame& frame)
{
    const FontFace& face = *shaped.face;
    double diagonal = std::hypot(frame.width, frame.height);
    double angle = std::atan2(frame.height, frame.width);
    int widthUnits = std::max(1, shaped.Width());
    double size = watermark.coverage * diagonal * face.UnitsPerEm() / widthUnits;
    double perUnit = size / face.UnitsPerEm();
    double width = widthUnits * perUnit;
    double middle = (face.Ascender() + face.Descender()) * perUnit / 2;
    double c = std::cos(angle);
    double s = std::sin(angle);
    // Start of the baseline, so that the text's middle lies on the page's centre.
    double x = frame.width / 2 - c * width / 2 + s * middle;
    double y = frame.height / 2 - s * width / 2 - c * middle;

    std::string stateName = NameFor(drawing.states, "GS", translucency);
    std::string font = NameFor(drawing.fonts, "F", fonts.FontObject(shaped));
    drawing.content += "q\n" + stateName + " gs\n" + Colour(watermark.color) + "BT\n" + font + " " + Num(size) + " Tf\n"
        + Num(c) + " " + Num(s) + " " + Num(-s) + " " + Num(c) + " " + Num(x) + " " + Num(y) + " Tm\n"
        + fonts.ShowOperator(shaped) + "\nET\nQ\n";
}

std::string Utf8Text(const std::wstring& text)
{
    return ToUtf8(text.size() > 40 ? text.substr(0, 40) + L"..." : text);
}

} // namespace

bool DrawStamps(QPDF& pdf, const std::vector<Stamp>& stamps, const Watermark* watermark, StampResult& result)
{
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
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
            if (!laid.shaped.face) {
                result.skipped.push_back("stamp " + std::to_string(i + 1) + ": no font for \"" + Utf8Text(text->text) + "\"");
                continue;
            }
            texts[index].emplace_back(i, std::move(laid));
        } else {
            pictures[index].emplace_back(i, &std::get<PictureStamp>(stamps[i]));
        }
    }
    ShapedText watermarkText;
    if (watermark) {
        watermarkText = fonts.Shape(watermark->text, watermark->fontName);
        if (!watermarkText.face || watermarkText.glyphs.empty()) {
            result.error = "no font for the watermark text";
            return false;
        }
    }
    if (!fonts.Embed(pdf)) {
        result.error = "cannot subset a font";
        return false;
    }

    struct PlacedImage {
        QPDFObjectHandle image;
        int width;
        int height;
    };
    std::map<std::string, PlacedImage> imageCache; // one image object per picture file
    QPDFObjectHandle translucency = watermark ? MakeTranslucency(pdf, watermark->opacity) : QPDFObjectHandle();
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
                    PlacedImage placed{pdf.makeIndirectObject(MakeImage(pdf, decoded)), decoded.width, decoded.height};
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
            DrawWatermark(drawing, fonts, *watermark, watermarkText, translucency, frame);
            ++result.drawn;
        }
        if (drawing.content.empty())
            continue;
        DrawFormOnPage(pdf, pages[index], pdf.makeIndirectObject(MakeForm(pdf, frame, drawing)));
    }
    return true;
}

} // namespace pdfstamp
