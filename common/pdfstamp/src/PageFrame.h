// The page as it is shown: its visible box turned by /Rotate. Stamps are laid out in this frame
// and drawn through a form whose matrix maps it back to the page's user space.
#pragma once

#include <qpdf/QPDFPageObjectHelper.hh>

#include <array>

namespace pdfstamp {

struct PageFrame {
    double width = 0;  // as shown
    double height = 0;
    std::array<double, 6> matrix{1, 0, 0, 1, 0, 0}; // shown frame -> user space
    int rotate = 0;    // 0, 90, 180 or 270
};

PageFrame FrameOf(QPDFPageObjectHelper& page);

} // namespace pdfstamp
