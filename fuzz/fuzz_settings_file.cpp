// Any file may be opened as a settings file.
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::SwitchBlock block = vx::FactoryDefaults;
    const bool loaded = vx::ParseSettingsFile(data, size, block);
    if (!loaded && block != vx::FactoryDefaults)
        __builtin_trap();  // a rejected file changes nothing
    return 0;
}
