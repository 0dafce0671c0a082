#include "app/display_scale.h"

#include "resources/resource.h"

namespace vx {

int ImageSizeForDpi(int dpi) {
    // The wanted edge is 16 * dpi / 96; 120 DPI wants 20, the middle of 16 and 24, and
    // 168 DPI wants 28, the middle of 24 and 32.
    if (dpi > 168) return 32;
    if (dpi > 120) return 24;
    return 16;
}

int BitmapIdForImageSize(int bitmapId, int imageSize) {
    if (imageSize >= 32) return bitmapId + IDB_OFFSET_32;
    if (imageSize >= 24) return bitmapId + IDB_OFFSET_24;
    return bitmapId;
}

}  // namespace vx
