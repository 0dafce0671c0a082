#include "cli/printer_places.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "cli/text_output.h"

namespace vx::cli {

namespace {

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const std::string hex = text.substr(i + 1, 2);
            char* end = nullptr;
            const long value = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) {
                out += static_cast<char>(value);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The value of the first of `keys` the device ID has ("KEY:value;"), blanks around trimmed.
std::string Field(const std::string& deviceId, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        std::size_t at = 0;
        while (at < deviceId.size()) {
            const std::size_t end = std::min(deviceId.find(';', at), deviceId.size());
            const std::string field = deviceId.substr(at, end - at);
            const std::size_t colon = field.find(':');
            auto trim = [](std::string t) {
                while (!t.empty() && (t.front() == ' ' || t.front() == '\n')) t.erase(0, 1);
                while (!t.empty() && (t.back() == ' ' || t.back() == '\n')) t.pop_back();
                return t;
            };
            if (colon != std::string::npos &&
                SameIgnoringAsciiCase(trim(field.substr(0, colon)), key))
                return trim(field.substr(colon + 1));
            at = end + 1;
        }
    }
    return {};
}

}  // namespace

DeviceUriKind ParseDeviceUri(const std::string& uri, PrinterPlace& place, UsbPrinterName& usb) {
    if (uri.rfind("socket://", 0) == 0) {
        std::string rest = uri.substr(9);
        rest = rest.substr(0, rest.find_first_of("/?"));
        place.kind = PrinterPlace::Network;
        place.port = 9100;
        const std::size_t close = rest.rfind(']');
        const std::size_t colon = rest.rfind(':');
        if (colon != std::string::npos && (close == std::string::npos || colon > close)) {
            place.port = static_cast<unsigned>(std::strtoul(rest.c_str() + colon + 1, nullptr, 10));
            rest.erase(colon);
        }
        if (rest.size() >= 2 && rest.front() == '[' && rest.back() == ']')
            rest = rest.substr(1, rest.size() - 2);
        place.host = rest;
        return rest.empty() ? DeviceUriKind::Other : DeviceUriKind::Socket;
    }
    if (uri.rfind("usb://", 0) == 0) {
        const std::string rest = uri.substr(6);
        const std::size_t query = rest.find('?');
        const std::string path = rest.substr(0, query);
        const std::size_t slash = path.find('/');
        if (slash == std::string::npos) return DeviceUriKind::Other;
        usb.make = Unescape(path.substr(0, slash));
        usb.model = Unescape(path.substr(slash + 1));
        usb.serial.clear();
        if (query != std::string::npos) {
            const std::string params = "&" + rest.substr(query + 1);
            const std::size_t at = params.find("&serial=");
            if (at != std::string::npos) {
                const std::size_t from = at + 8;
                usb.serial = Unescape(params.substr(from, params.find('&', from) - from));
            }
        }
        return DeviceUriKind::Usb;
    }
    return DeviceUriKind::Other;
}

bool DeviceIdNames(const std::string& deviceId, const UsbPrinterName& name) {
    if (!SameIgnoringAsciiCase(Field(deviceId, {"MFG", "MANUFACTURER"}), name.make)) return false;
    if (!SameIgnoringAsciiCase(Field(deviceId, {"MDL", "MODEL"}), name.model)) return false;
    return name.serial.empty() ||
           SameIgnoringAsciiCase(Field(deviceId, {"SN", "SERN", "SERIALNUMBER"}), name.serial);
}

}  // namespace vx::cli
