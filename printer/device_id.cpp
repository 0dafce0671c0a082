#include "printer/device_id.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace vx {

namespace {

bool StartsWith(const char* text, const char* key) {
    return std::strncmp(text, key, std::strlen(key)) == 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

StatusBuffer InitialStatusBuffer() {
    StatusBuffer status{};
    std::memcpy(status.data(), "11111111", 8);
    return status;
}

void ReadExtendedStatus(const char* text, StatusBuffer& status) {
    const char* field = text;
    for (;;) {
        // The keys are compared as they stand: case-sensitive, no blanks skipped. Fields
        // other than the extended status are skipped whole.
        if (StartsWith(field, "EXTSTS:")) {
            const char* value = field + 7;
            std::size_t n = std::strcspn(value, ";");
            if (n > status.size()) n = status.size();
            std::memcpy(status.data(), value, n);
        }
        const char* semicolon = std::strchr(field, ';');
        if (semicolon == nullptr || semicolon[1] == '\0') break;
        field = semicolon + 1;
    }
}

bool IsReadyStatus(const StatusBuffer& status) {
    char first8[9] = {};
    std::memcpy(first8, status.data(), 8);
    const char* p = first8;
    while (IsBlank(*p)) ++p;
    if (*p == '+' || *p == '-') ++p;
    long value = 0;  // eight digits at most: no overflow
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10 + (*p - '0');
    return value == 0;
}

int QueryPrinterReady(PrinterLink& port) {
    StatusBuffer status = InitialStatusBuffer();

    PortTimeouts original;
    if (!port.GetTimeouts(original)) return 0;

    // Whatever happens from here on, the port gets its own time-outs back.
    if (port.SetTimeouts(WithExchangeTimeouts(original))) {
        std::array<std::uint8_t, kDeviceIdSize> output{};
        if (port.GetDeviceId(output.data(), output.size())) {
            // At most 255 characters of the output are used, always zero-terminated.
            std::vector<char> text(kDeviceIdSize, '\0');
            std::memcpy(text.data(), output.data(), kDeviceIdSize - 1);
            ReadExtendedStatus(text.data(), status);
        }
    }
    port.SetTimeouts(original);

    return IsReadyStatus(status) ? 1 : 0;
}

}  // namespace vx
