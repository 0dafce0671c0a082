#include "cli/linux/posix_links.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/printer_places.h"
#include "printer/receive.h"
#include "printer/stream_link.h"

namespace vx::cli::posix {

namespace {

// The usblp driver's get-device-ID control: the IEEE 1284 form, two length bytes first.
constexpr unsigned kDeviceIdBufferSize = 1024;
#define VX_LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The device's ieee1284_id attribute in sysfs, without its line end; empty when there is none.
std::string SysfsDeviceId(const std::string& root, const std::string& device) {
    std::ifstream file(root + "/sys/class/usbmisc/" + BaseName(device) + "/device/ieee1284_id");
    std::stringstream text;
    text << file.rdbuf();
    std::string id = file ? text.str() : std::string();
    while (!id.empty() && (id.back() == '\n' || id.back() == '\0')) id.pop_back();
    return id;
}

std::string DriverDeviceId(int fd) {
    char buffer[kDeviceIdBufferSize] = {};
    if (ioctl(fd, VX_LPIOC_GET_DEVICE_ID(sizeof buffer), buffer) < 0) return {};
    std::size_t length = (static_cast<std::size_t>(static_cast<unsigned char>(buffer[0])) << 8) |
                         static_cast<unsigned char>(buffer[1]);
    length = std::min<std::size_t>(length < 2 ? 0 : length - 2, sizeof buffer - 2);
    return std::string(buffer + 2, strnlen(buffer + 2, length));
}

class UsbLink : public StreamLink {
  public:
    UsbLink(int fd, NetSockets& clock, std::string root, std::string path)
        : StreamLink(std::make_unique<FdStream>(fd), clock),
          fd_(fd),
          root_(std::move(root)),
          path_(std::move(path)) {}

  protected:
    bool ReadDeviceId(std::string& text, std::uint64_t) override {
        text = SysfsDeviceId(root_, path_);
        if (text.empty()) text = DriverDeviceId(fd_);
        return !text.empty();
    }

  private:
    int fd_;  // owned by the stream
    std::string root_, path_;
};

}  // namespace

PosixPrinterLinks::PosixPrinterLinks() {
    const char* root = std::getenv("VXCTL_USB_ROOT");
    if (root) root_ = root;
}

std::unique_ptr<PrinterLink> PosixPrinterLinks::OpenDevice(const std::string& path,
                                                           std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // A device open elsewhere (CUPS printing to it) is a link on which every call fails,
    // so the readiness check finds the printer not ready, as the settings program does.
    if (fd < 0 && errno == EBUSY) return UnopenedLink();
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<UsbLink>(fd, net_, root_, path);
}

bool PosixPrinterLinks::Locate(const std::string& destination, PrinterPlace& place,
                               std::string& why) {
    UsbPrinterName usb;
    switch (ParseDeviceUri(destination, place, usb)) {
        case DeviceUriKind::Socket:
            return true;
        case DeviceUriKind::Other:
            why = destination;
            return false;
        case DeviceUriKind::Usb:
            break;
    }
    // The usblp devices, by the device ID each reports.
    for (int n = 0; n < 16; ++n) {
        const std::string device = root_ + "/dev/usb/lp" + std::to_string(n);
        std::string id = SysfsDeviceId(root_, device);
        if (id.empty()) {
            const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (fd < 0) continue;
            id = DriverDeviceId(fd);
            ::close(fd);
        }
        if (::access(device.c_str(), F_OK) == 0 && DeviceIdNames(id, usb)) {
            place.kind = PrinterPlace::Device;
            place.device = device;
            return true;
        }
    }
    why = destination + " (no such USB printer connected)";
    return false;
}

}  // namespace vx::cli::posix
