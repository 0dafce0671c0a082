// Switch blocks the settings tests start from.
#pragma once

#include "settings/switch_block.h"

namespace vx::test {

// The factory defaults with switch `sw` of memory switch `msw` on and `lines` lines a page.
inline SwitchBlock DefaultsWith(int msw, int sw, int lines) {
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, msw, sw, true);
    SetPageLength(b, lines);
    return b;
}

}  // namespace vx::test
