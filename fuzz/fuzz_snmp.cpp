// SNMP datagrams come from whatever answers on the network, or asks the simulated printer.
#include <string>

#include "printer/snmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vx::snmp::Message message;
    if (vx::snmp::Decode(bytes, message)) {
        // What decodes encodes again and decodes to the same message.
        vx::snmp::Message again;
        if (!vx::snmp::Decode(vx::snmp::Encode(message), again) ||
            again.requestId != message.requestId ||
            again.bindings.size() != message.bindings.size())
            __builtin_trap();
    }
    std::string deviceId, response;
    vx::snmp::ReadDeviceIdResponse(bytes, message.requestId, deviceId);
    vx::snmp::AnswerDeviceIdGet(bytes, "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000000;", response);
    return 0;
}
