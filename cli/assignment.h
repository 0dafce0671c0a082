// KEY=VALUE arguments of `vxctl set`: a setting's key and one of its values,
// given as the page's text or as the ASCII alias.
#pragma once

#include <string>
#include <vector>

#include "cli/settings_table.h"

namespace vx::cli {

enum class AssignmentError {
    None,
    NoEquals,     // no '=' in the argument
    UnknownKey,   // no setting has this key
    NotSettable,  // a switch that no page shows
    BadValue,     // not one of the setting's values
};

struct Assignment {
    AssignmentError error = AssignmentError::None;
    std::string key;                   // as given
    std::string value;                 // as given
    const Setting* setting = nullptr;  // known key
    int code = 0;  // what to store when there is no error: the value's position, or the length
};

// Parses one argument. Keys, aliases and the English texts compare ignoring the case of
// ASCII letters; the page texts compare exactly, with or without their "(&X)"; a page
// length is 1 to 99.
Assignment ParseAssignment(const std::string& argument);

// The values a setting takes, for messages: "日本 (japan)" ("Japan (japan)" in English), or
// "1..99".
std::vector<std::string> AllowedValues(const Setting& s, Language language);
// The keys `set` takes, in table order.
std::vector<std::string> SettableKeys();

// What the settings program holds after loading `block` and making `changes` on its pages.
SwitchBlock WithChanges(const SwitchBlock& block, const std::vector<Assignment>& changes);

}  // namespace vx::cli
