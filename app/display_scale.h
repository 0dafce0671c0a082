// Sizes at the system DPI. The program is system-DPI aware: the DPI it starts with holds
// for its whole run, and pictures drawn for 16 pixels are taken at the size nearest to
// the text beside them.
#pragma once

namespace vx {

constexpr int kBaseDpi = 96;  // 100 %: the size every picture and pixel constant is drawn for

// The edge of toolbar, menu and tab images at `dpi`: 16, 24 or 32, the one nearest to
// 16 pixels scaled by the DPI (96 -> 16, 144 -> 24, 192 -> 32); a tie takes the smaller, so
// 120 DPI keeps 16 and 168 DPI keeps 24.
int ImageSizeForDpi(int dpi);

// The bitmap resource holding the images of `bitmapId` (whose images are 16 pixels) at
// `imageSize` pixels: the same id at 16, + 1000 at 24, + 2000 at 32.
int BitmapIdForImageSize(int bitmapId, int imageSize);

// A length of `pixels` at 16-pixel images, at `imageSize`-pixel images (rounded down).
constexpr int ScaleToImageSize(int pixels, int imageSize) { return pixels * imageSize / 16; }

// A length of `pixels` at 96 DPI, at `dpi` (rounded to the nearest pixel).
constexpr int ScaleToDpi(int pixels, int dpi) { return (pixels * dpi + kBaseDpi / 2) / kBaseDpi; }

}  // namespace vx
