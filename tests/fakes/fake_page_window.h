// The tests' page window: the pages' own window kept in memory.
#pragma once

#include "pages/memory_page_window.h"

namespace vx::test {

using FakePageWindow = MemoryPageWindow;

}  // namespace vx::test
