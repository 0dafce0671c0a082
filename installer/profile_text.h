// Reading a private-profile (INI) text the way the system's private-profile
// functions read a file, on text already decoded to UTF-8: the setup file is
// CP932 whatever the system's code page is, so the platform side decodes it
// itself and leaves the lookup to these functions.
#pragma once

#include <optional>
#include <string>

namespace vx::inst {

// The value of `key` in `section`: the first section of that name and the first
// key of that name in it, both compared without regard to ASCII case; the value
// with blanks around it removed and one pair of matching quotes ('...' or "...")
// around it dropped. Nullopt when there is no such key.
std::optional<std::string> ProfileValue(const std::string& text, const std::string& section,
                                        const std::string& key);

// Whether a setup file's bytes are UTF-8 rather than code page 932: they begin with UTF-8's
// byte-order mark, or hold characters beyond ASCII and are valid UTF-8 throughout (text in
// code page 932 almost never is). Such a file is refused rather than read as garbled text.
bool IsUtf8Text(const std::string& bytes);

// A value read as a decimal number, as the integer reading does: leading blanks, an
// optional plus sign, then digits up to the first other character. Anything that is
// not such a number, or negative, or beyond 32 bits, reads as 0.
unsigned ProfileNumber(const std::string& value);

}  // namespace vx::inst
