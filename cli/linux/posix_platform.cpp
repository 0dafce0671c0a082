#include "cli/linux/posix_platform.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "cli/file_writing.h"

namespace vx::cli::posix {

namespace {

// A sender that goes quiet this long has finished its job.
constexpr int kIdleMs = 10000;
// On the USB stand-in, which has no connections, a pause this long ends a job.
constexpr int kUsbIdleMs = 500;

// False with errno set when not all of the text could be written.
bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

class PosixFile : public File {
  public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }
    long Read(std::uint8_t* data, std::size_t size) override {
        ssize_t n;
        do n = ::read(fd_, data, size);
        while (n < 0 && errno == EINTR);
        return static_cast<long>(n);
    }
    long Write(const std::uint8_t* data, std::size_t size) override {
        ssize_t n;
        do n = ::write(fd_, data, size);
        while (n < 0 && errno == EINTR);
        return static_cast<long>(n);
    }

  private:
    int fd_;
};

std::string PeerText(const sockaddr_storage& address) {
    char host[NI_MAXHOST] = "?", port[NI_MAXSERV] = "?";
    getnameinfo(reinterpret_cast<const sockaddr*>(&address), sizeof address, host, sizeof host,
                port, sizeof port, NI_NUMERICHOST | NI_NUMERICSERV);
    const bool v6 = address.ss_family == AF_INET6;
    return (v6 ? "[" : "") + std::string(host) + (v6 ? "]:" : ":") + port;
}

// A socket of `type` bound to host:port at the first of its addresses that takes it, and
// listening when it is a stream socket; -1, with `error` set, when none does. `bound`
// gets the address it has.
int BoundSocket(const std::string& host, int port, int type, std::string& bound,
                std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = type;
    hints.ai_flags = AI_NUMERICSERV | AI_PASSIVE;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int r = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (r != 0) {
        error = gai_strerror(r);
        return -1;
    }
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        const int s = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (s < 0) {
            error = std::strerror(errno);
            continue;
        }
        if (type == SOCK_STREAM) {
            const int on = 1;
            setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        }
        if (::bind(s, a->ai_addr, a->ai_addrlen) == 0 &&
            (type != SOCK_STREAM || ::listen(s, 8) == 0)) {
            fd = s;
        } else {
            error = std::strerror(errno);
            ::close(s);
        }
    }
    freeaddrinfo(found);
    if (fd < 0) return -1;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    bound = PeerText(address);
    return fd;
}

}  // namespace

void PosixConsole::Out(const std::string& text) {
    if (!WriteAll(STDOUT_FILENO, text) && outFailure_.empty()) outFailure_ = std::strerror(errno);
}
void PosixConsole::Err(const std::string& text) { WriteAll(STDERR_FILENO, text); }

std::unique_ptr<File> PosixFileSystem::OpenForReading(const std::string& path) {
    // "-": the standard input.
    const int fd = IsStandardStream(path) ? ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3)
                                          : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<File> PosixFileSystem::OpenForUpdate(const std::string& path, OpenError& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno == EACCES || errno == EPERM ? OpenError::AccessDenied : OpenError::Other;
        return nullptr;
    }
    error = OpenError::None;
    return std::make_unique<PosixFile>(fd);
}

PosixJobSource::~PosixJobSource() {
    for (int fd : {socket_, datagrams_, usbMaster_, usbSlave_})
        if (fd >= 0) ::close(fd);
    for (const Connection& c : open_) ::close(c.fd);
}

bool PosixJobSource::Listen(const std::string& host, int port, std::string& bound,
                            std::string& error) {
    socket_ = BoundSocket(host, port, SOCK_STREAM, bound, error);
    return socket_ >= 0;
}

bool PosixJobSource::Next(ReceivedJob& job, std::string& error) {
    return Take(job, nullptr, error);
}

bool PosixJobSource::NextAnswering(ReceivedJob& job, PrinterResponder& responder,
                                   std::string& error) {
    return Take(job, &responder, error);
}

bool PosixJobSource::ListenDatagrams(const std::string& host, int port, std::string& bound,
                                     std::string& error) {
    datagrams_ = BoundSocket(host, port, SOCK_DGRAM, bound, error);
    return datagrams_ >= 0;
}

bool PosixJobSource::ListenUsb(const std::string& folder, const std::string& deviceId,
                               std::string& bound, std::string& error) {
    usbMaster_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* slave = usbMaster_ >= 0 && grantpt(usbMaster_) == 0 && unlockpt(usbMaster_) == 0
                            ? ptsname(usbMaster_)
                            : nullptr;
    // The stand-in keeps its own end open, so the device never hangs up between jobs.
    if (slave) usbSlave_ = ::open(slave, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (usbSlave_ < 0 || tcgetattr(usbSlave_, &raw) != 0) {
        error = std::strerror(errno);
        return false;
    }
    cfmakeraw(&raw);
    tcsetattr(usbSlave_, TCSANOW, &raw);

    const std::string device = folder + "/dev/usb/lp0";
    const std::string attributes = folder + "/sys/class/usbmisc/lp0/device";
    for (const std::string& path :
         {folder, folder + "/dev", folder + "/dev/usb", folder + "/sys", folder + "/sys/class",
          folder + "/sys/class/usbmisc", folder + "/sys/class/usbmisc/lp0", attributes})
        if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            error = path + ": " + std::strerror(errno);
            return false;
        }
    ::unlink(device.c_str());
    if (::symlink(slave, device.c_str()) != 0) {
        error = device + ": " + std::strerror(errno);
        return false;
    }
    std::string id;
    PosixOutputFiles files;
    if (!files.WriteAtomically(attributes + "/ieee1284_id",
                               std::vector<std::uint8_t>(deviceId.begin(), deviceId.end()), id)) {
        error = attributes + "/ieee1284_id: " + id;
        return false;
    }
    bound = device;
    return true;
}

void PosixJobSource::AnswerDatagram(PrinterResponder* responder) {
    char buffer[65536];
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    const ssize_t n = ::recvfrom(datagrams_, buffer, sizeof buffer, MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&peer), &length);
    if (n < 0 || !responder) return;
    const std::string answer =
        responder->AnswerDatagram(std::string(buffer, static_cast<std::size_t>(n)));
    if (!answer.empty())
        ::sendto(datagrams_, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&peer),
                 length);
}

int PosixJobSource::Wait(int fd, int timeoutMs, PrinterResponder* responder, std::string& error) {
    using Steady = std::chrono::steady_clock;
    const Steady::time_point deadline = Steady::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int left = -1;
        if (timeoutMs >= 0) {
            left = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now())
                       .count()));
        }
        pollfd p[2] = {{fd, POLLIN, 0}, {datagrams_, POLLIN, 0}};
        const int ready = ::poll(p, datagrams_ >= 0 ? 2 : 1, left);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) {
            error = std::strerror(errno);
            return -1;
        }
        if (ready == 0) return 0;
        if (datagrams_ >= 0 && (p[1].revents & POLLIN) != 0) AnswerDatagram(responder);
        if (p[0].revents != 0) return 1;
    }
}

namespace {

long long SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The replies the responder has for a job's bytes so far, those not sent yet written.
void AnswerMore(int fd, PrinterResponder* responder, ReceivedJob& job) {
    if (!responder) return;
    const std::vector<std::uint8_t> all = responder->Answer(job.bytes);
    if (all.size() <= job.answered) return;
    WriteBytes(fd,
               std::vector<std::uint8_t>(all.begin() + static_cast<long>(job.answered), all.end()));
    job.answered = all.size();
}

}  // namespace

bool PosixJobSource::Take(ReceivedJob& job, PrinterResponder* responder, std::string& error) {
    job = {};
    std::uint8_t buffer[4096];
    if (usbMaster_ >= 0) {
        // The job starts with its first bytes and ends at the first pause.
        job.peer = "usb";
        int timeout = -1;
        for (;;) {
            const int ready = Wait(usbMaster_, timeout, responder, error);
            if (ready < 0) return false;
            if (ready == 0) return true;
            const ssize_t n = ::read(usbMaster_, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) {
                error = std::strerror(errno);
                return false;
            }
            job.bytes.insert(job.bytes.end(), buffer, buffer + n);
            AnswerMore(usbMaster_, responder, job);
            timeout = kUsbIdleMs;
        }
    }

    // Connections are taken as they come and read side by side, so a sender that holds its
    // connection open without a word delays no other job: the first to end is the next job.
    for (;;) {
        const long long now = SteadyMs();
        int timeout = -1;
        for (auto it = open_.begin(); it != open_.end(); ++it) {
            const long long idle = now - it->lastMs;
            if (!it->ended && idle < kIdleMs) {
                const int left = static_cast<int>(kIdleMs - idle);
                timeout = timeout < 0 ? left : std::min(timeout, left);
                continue;
            }
            ::close(it->fd);
            job = std::move(it->job);
            open_.erase(it);
            return true;
        }
        std::vector<pollfd> polled = {{socket_, POLLIN, 0}, {datagrams_, POLLIN, 0}};
        for (const Connection& c : open_) polled.push_back({c.fd, POLLIN, 0});
        const int ready = ::poll(polled.data(), polled.size(), timeout);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (datagrams_ >= 0 && (polled[1].revents & POLLIN) != 0) AnswerDatagram(responder);
        for (std::size_t i = 2; i < polled.size(); ++i) {
            if (polled[i].revents == 0) continue;
            Connection& c = open_[i - 2];
            const ssize_t n = ::read(c.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                c.ended = true;
                continue;
            }
            c.lastMs = SteadyMs();
            c.job.bytes.insert(c.job.bytes.end(), buffer, buffer + n);
            AnswerMore(c.fd, responder, c.job);
        }
        if ((polled[0].revents & POLLIN) != 0) {
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            const int fd =
                ::accept4(socket_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
            if (fd >= 0) {
                Connection c;
                c.fd = fd;
                c.job.peer = PeerText(peer);
                c.lastMs = SteadyMs();
                open_.push_back(std::move(c));
            } else if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) {
                error = std::strerror(errno);
                return false;
            }
        }
    }
}

long long PosixClock::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PosixClock::SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Language LocaleLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        return std::strncmp(value, "ja", 2) == 0 ? Language::Japanese : Language::English;
    }
    return Language::English;
}

}  // namespace vx::cli::posix
