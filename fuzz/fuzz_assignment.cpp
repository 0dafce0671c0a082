// Any command-line argument may reach `vxctl set` as KEY=VALUE. Several arguments
// are separated by zero bytes.
#include <string>

#include "cli/assignment.h"
#include "cli/cli_platform.h"
#include "cli/settings_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vx::cli;
    const std::string input(reinterpret_cast<const char*>(data), size);
    vx::SwitchBlock block = vx::FactoryDefaults;
    for (std::size_t begin = 0; begin <= input.size();) {
        std::size_t end = input.find('\0', begin);
        if (end == std::string::npos) end = input.size();
        const Assignment a = ParseAssignment(input.substr(begin, end - begin));
        begin = end + 1;
        if (a.error == AssignmentError::None) {
            if (a.setting == nullptr || !a.setting->Settable()) __builtin_trap();
            Store(*a.setting, block, a.code);
            // The page reads back what was set: the value's position, or the page length.
            const Shown shown = ShownValue(*a.setting, block);
            const int readBack =
                a.setting->kind == SettingKind::PageLength ? shown.number : shown.index;
            if (readBack != a.code) __builtin_trap();
        } else if (a.error == AssignmentError::BadValue) {
            // A refusal always names what is allowed, in either language.
            if (AllowedValues(*a.setting, Language::Japanese).empty() ||
                AllowedValues(*a.setting, Language::English).empty())
                __builtin_trap();
        }
    }
    // Only what the pages can show is ever written: they would save the block unchanged,
    // and the command's framing is the factory one.
    if (Collected(block) != block) __builtin_trap();
    for (std::size_t at : {0, 1, 2, 3, 6, 9, 12, 15, 17, 19, 21, 23, 26, 28})
        if (block.bytes[at] != vx::FactoryDefaults.bytes[at]) __builtin_trap();
    return 0;
}
