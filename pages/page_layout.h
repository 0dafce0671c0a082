// Where a page's controls end up once its dialog units are pixels.
#pragma once

namespace vx {

struct PixelBox {
    int left, top, right, bottom;
    friend bool operator==(const PixelBox& a, const PixelBox& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// The dialog manager turns a control's position and its width into pixels one by one, the
// page's width once, each rounded to the nearest pixel. A control that the template puts
// flush with the page's right edge (a group box at 115 units, 115 wide, on a page 230 units
// wide) can so end a pixel past the page at some sizes of text, and the page cuts off its
// edge. Such a control is brought back: its right and bottom edges at most the page's. Only
// what rounding can add (`kRoundingSlack` pixels) is taken back; a control further out is
// the template's own and stays where it is.
constexpr int kRoundingSlack = 2;
constexpr PixelBox FitIntoPage(const PixelBox& control, int pageWidth, int pageHeight) {
    PixelBox fitted = control;
    if (control.right > pageWidth && control.right - pageWidth <= kRoundingSlack)
        fitted.right = pageWidth;
    if (control.bottom > pageHeight && control.bottom - pageHeight <= kRoundingSlack)
        fitted.bottom = pageHeight;
    return fitted;
}

}  // namespace vx
