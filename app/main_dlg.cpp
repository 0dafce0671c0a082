#include "app/main_dlg.h"

namespace vx {}  // namespace vx
