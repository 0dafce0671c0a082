// The DPI the program runs at: it is system-DPI aware, so this holds for the whole run.
#pragma once

#include <windows.h>

#include "app/display_scale.h"
#include "common/win32/owned.h"

namespace vx::win32 {

inline int SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kBaseDpi;
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace vx::win32
