#include "PageFrame.h"

#include <algorithm>

namespace pdfstamp {

PageFrame FrameOf(QPDFPageObjectHelper& page)
{
    QPDFObjectHandle::Rectangle box(0, 0, 612, 792);
    QPDFObjectHandle cropBox = page.getCropBox(false);
    if (cropBox.isRectangle())
        box = cropBox.getArrayAsRectangle();
    double llx = std::min(box.llx, box.urx);
    double lly = std::min(box.lly, box.ury);
    double w = std::abs(box.urx - box.llx);
    double h = std::abs(box.ury - box.lly);

    int rotate = 0;
    QPDFObjectHandle rotation = page.getAttribute("/Rotate", false);
    if (rotation.isInteger())
        rotate = static_cast<int>(((rotation.getIntValue() % 360) + 360) % 360);
    if (rotate % 90 != 0)
        rotate = 0;

    // /Rotate turns the page clockwise when shown; the matrices take a point of the shown page
    // back to where it lies on the unturned page.
    PageFrame frame;
    frame.rotate = rotate;
    switch (rotate) {
    case 90:
        frame = PageFrame{h, w, {0, 1, -1, 0, llx + w, lly}, 90};
        break;
    case 180:
        frame = PageFrame{w, h, {-1, 0, 0, -1, llx + w, lly + h}, 180};
        break;
    case 270:
        frame = PageFrame{h, w, {0, -1, 1, 0, llx, lly + h}, 270};
        break;
    default:
        frame = PageFrame{w, h, {1, 0, 0, 1, llx, lly}, 0};
        break;
    }
    return frame;
}

} // namespace pdfstamp
