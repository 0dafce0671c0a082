// The printer's report: any number of any bytes may arrive.
#include "printer/settings_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::SwitchBlock block = vx::FactoryDefaults;
    const bool used = vx::SpreadSettingsReply(data, size, block);
    if (used != (size == vx::kSettingsReplySize)) __builtin_trap();
    // Framing bytes never change.
    for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 9u, 12u, 15u, 17u, 19u, 21u, 23u, 26u, 28u})
        if (block.bytes[i] != vx::FactoryDefaults.bytes[i]) __builtin_trap();
    return 0;
}
