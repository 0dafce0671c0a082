// vxctl's files on Linux: whole files written as cli/file_writing.h decides, devices and
// pipes, and the edit lock of a folder.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "cli/file_writing.h"
#include "cli/linux/posix_platform.h"

namespace vx::cli::posix {

bool WriteBytes(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

namespace {

// The file a write into `path` lands in: symbolic links followed, also one that points to
// a file not made yet.
std::string WriteTarget(const std::string& path) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string out = real;
        std::free(real);
        return out;
    }
    std::string target = path;
    for (int hops = 0; hops < 8; ++hops) {  // a dangling link: where it points
        char link[4096];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link - 1);
        if (n <= 0) break;
        const std::string to(link, static_cast<std::size_t>(n));
        target = to[0] == '/' ? to : FolderOf(target, false) + "/" + to;
    }
    return target;
}

// Names of the standard streams, which are written as they are, never replaced.
bool IsStreamName(const std::string& path) {
    return IsStandardStream(path) || path == "/dev/stdout" || path == "/dev/stderr" ||
           path.rfind("/dev/fd/", 0) == 0 || path.rfind("/proc/self/fd/", 0) == 0;
}

// Overwrites an existing file in place, for a file that a rename would take from its
// other names (hard links) or from its owner. One write of the few bytes of a settings
// file, then the rest cut off.
bool WriteInPlace(const std::string& target, const std::vector<std::uint8_t>& bytes,
                  std::string& error) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    bool ok = fd >= 0 && WriteBytes(fd, bytes) &&
              ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    if (!ok) error = std::strerror(errno);
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    return ok;
}

class FolderLock : public OutputFiles::Lock {
  public:
    explicit FolderLock(int fd) : fd_(fd) {}
    ~FolderLock() override { ::close(fd_); }  // releases the lock

  private:
    int fd_;
};

}  // namespace

bool PosixOutputFiles::WriteAtomically(const std::string& path,
                                       const std::vector<std::uint8_t>& bytes, std::string& error) {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    const std::string target = WriteTarget(path);
    PathState state;
    if (IsStreamName(path) || (exists && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))) {
        state.kind = PathState::Other;  // a device, a pipe, a terminal
    } else if (exists && S_ISDIR(info.st_mode)) {
        state.kind = PathState::Folder;
    } else if (exists) {
        state.kind = PathState::Regular;
        // Root may write anything: a file without any write permission is refused all the same.
        state.writable =
            (info.st_mode & 0222) != 0 &&
            !(::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES);
        const bool otherOwner = info.st_uid != ::geteuid() || info.st_gid != ::getegid();
        state.keepsIdentity = info.st_nlink > 1 || (otherOwner && ::geteuid() != 0);
    }
    return WriteChosenWay(
        state, std::strerror(EISDIR), error, [&] { return WriteDevice(path, bytes, error); },
        [&] { return WriteInPlace(target, bytes, error); },
        [&] {
            std::string temp =
                FolderOf(target, false) + "/" + TemporaryPrefix(target, false) + "XXXXXX";
            const int fd = mkstemp(temp.data());
            if (fd < 0) {
                error = std::strerror(errno);
                return false;
            }
            // An existing file keeps its mode and owner; a new one is as an ordinary new file
            // (mkstemp leaves it readable by its owner only).
            const mode_t mask = umask(0);
            umask(mask);
            bool ok = fchmod(fd, exists ? info.st_mode & 07777 : 0666 & ~mask) == 0 &&
                      (!exists || fchown(fd, info.st_uid, info.st_gid) == 0) &&
                      WriteBytes(fd, bytes) && fsync(fd) == 0;
            if (!ok) error = std::strerror(errno);
            if (::close(fd) != 0 && ok) {
                ok = false;
                error = std::strerror(errno);
            }
            if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
                ok = false;
                error = std::strerror(errno);
            }
            if (!ok) ::unlink(temp.c_str());
            return ok;
        });
}

bool PosixOutputFiles::WriteDeviceWithin(const std::string& path,
                                         const std::vector<std::uint8_t>& bytes,
                                         long long timeoutMs, std::string& error) {
    if (timeoutMs < 0) return WriteDevice(path, bytes, error);
    using Steady = std::chrono::steady_clock;
    const Steady::time_point deadline = Steady::now() + std::chrono::milliseconds(timeoutMs);
    const auto left = [&] {
        return static_cast<int>(std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now())
                   .count()));
    };
    // Opened without waiting: a pipe nobody reads yet refuses (ENXIO) until someone does.
    int fd;
    for (;;) {
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || (errno != ENXIO && errno != EINTR && errno != EAGAIN)) break;
        if (left() == 0) {
            error = kTimedOut;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(20, left())));
    }
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        pollfd p = {fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, left());
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            error = kTimedOut;
            ok = false;
            break;
        }
        const ssize_t n = ready < 0 ? -1 : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) {
            error = std::strerror(n == 0 ? EIO : errno);
            ok = false;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    return ok;
}

std::string PosixOutputFiles::WhyNotReadable(const std::string& path, bool& missing) {
    missing = false;
    if (IsStandardStream(path)) return {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        return std::strerror(errno);
    }
    struct stat info {};
    const bool folder = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    return folder ? std::strerror(EISDIR) : std::string();
}

std::unique_ptr<OutputFiles::Lock> PosixOutputFiles::LockFolderOf(const std::string& path) {
    if (IsStreamName(path)) return nullptr;
    const std::string target = WriteTarget(path);
    const std::string folder = FolderOf(target, false);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    int r;
    do r = ::flock(fd, LOCK_EX);
    while (r != 0 && errno == EINTR);
    if (r != 0) {
        ::close(fd);
        return nullptr;
    }
    // With the lock held no other run writes here: a temporary file for this target is left
    // from a run that was killed.
    if (DIR* d = ::fdopendir(::dup(fd))) {
        const std::string prefix = TemporaryPrefix(target, false);
        while (const dirent* e = ::readdir(d))
            if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) == 0)
                ::unlinkat(fd, e->d_name, 0);
        ::closedir(d);
    }
    return std::make_unique<FolderLock>(fd);
}

bool PosixOutputFiles::WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                   std::string& error) {
    // "-": the standard output.
    const int fd = IsStandardStream(path) ? ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3)
                                          : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = WriteBytes(fd, bytes);
    if (!ok) error = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    return ok;
}

}  // namespace vx::cli::posix
