// The two platform families, told apart by the system's version information:
// platform identifier 2 is the NT family, anything else the 9x family.
#pragma once

namespace vx {

enum class PlatformFamily { Nt, Win9x };

}  // namespace vx
