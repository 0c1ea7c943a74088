#include "foundation/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "foundation/common_messages.h"

namespace {

constexpr int kMaxLinksFollowed = 40;
// Room left for the temporary file's prefix and suffix in a name.
constexpr std::size_t kMaxNameInTemporary = 200;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path a destination's contents go to: symbolic links followed, also a
// link whose target does not exist yet.
std::string followLinks(const std::string& name) {
    std::string path = name;
    for (int hop = 0; hop < kMaxLinksFollowed; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
        std::string target(static_cast<std::size_t>(status.st_size) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) break;
        target.resize(static_cast<std::size_t>(length));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    return path;
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The files that an interrupt must take away: the temporaries being written
// and the destinations created in place. SIGINT, SIGTERM and SIGHUP remove
// them and then end the process as the signal would have.
constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kMaxGuardedFiles = 8;
char guardedPaths[kMaxGuardedFiles][PATH_MAX];
volatile sig_atomic_t guarded[kMaxGuardedFiles];
bool handlersInstalled = false;

extern "C" void removeGuardedFilesAndStop(int signal) {
    for (int i = 0; i < kMaxGuardedFiles; ++i) {
        if (guarded[i]) ::unlink(guardedPaths[i]);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers() {
    if (handlersInstalled) return;
    handlersInstalled = true;
    for (int signal : kInterruptSignals) {
        struct sigaction action {};
        if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
        action = {};
        action.sa_handler = removeGuardedFilesAndStop;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

// Keeps the interrupt signals away while the guarded files change.
class BlockedInterrupts {
  public:
    BlockedInterrupts() {
        sigset_t blocked;
        sigemptyset(&blocked);
        for (int signal : kInterruptSignals) sigaddset(&blocked, signal);
        sigprocmask(SIG_BLOCK, &blocked, &previous_);
    }
    ~BlockedInterrupts() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

  private:
    sigset_t previous_;
};

int guardFile(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    installHandlers();
    for (int i = 0; i < kMaxGuardedFiles; ++i) {
        if (guarded[i]) continue;
        std::memcpy(guardedPaths[i], path.c_str(), path.size() + 1);
        guarded[i] = 1;
        return i;
    }
    return -1;
}

void releaseGuard(int& slot) {
    if (slot >= 0) guarded[slot] = 0;
    slot = -1;
}

}  // namespace

OutputFile::~OutputFile() {
    if (!installed_) discard();
}

int OutputFile::open(const char* name) {
    name_ = name;
    target_ = followLinks(name);
    struct stat status {};
    const bool exists = stat(target_.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) return report(kCreateFileFail, name);
        inPlace_ = true;
        return 0;
    }
    if (exists && access(target_.c_str(), W_OK) != 0) return report(kCreateFileFail, name);

    temporary_ =
        folderOf(target_) + "/." + baseOf(target_).substr(0, kMaxNameInTemporary) + ".XXXXXX";
    BlockedInterrupts blocked;
    fd_ = mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ >= 0) {
        guard_ = guardFile(temporary_);
        if (exists) {
            fchmod(fd_, status.st_mode & 07777);
            if (fchown(fd_, status.st_uid, status.st_gid) != 0) {
                // Another owner's file becomes the writer's own; nothing else changes.
            }
        } else {
            fchmod(fd_, newFileMode());
        }
        return 0;
    }
    // No temporary file can be made beside the destination: write it in place.
    temporary_.clear();
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return report(kCreateFileFail, name);
    inPlace_ = true;
    createdInPlace_ = !exists;
    if (createdInPlace_) guard_ = guardFile(target_);
    return 0;
}

int OutputFile::write(const void* bytes, std::size_t size) {
    struct stat status {};
    if (inPlace_ && fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) && ftruncate(fd_, 0) != 0) {
        return fail();
    }
    if (!writeAll(fd_, static_cast<const char*>(bytes), size)) return fail();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail();
    written_ = true;
    return 0;
}

int OutputFile::install() {
    BlockedInterrupts blocked;
    if (!temporary_.empty() && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return fail();
    }
    temporary_.clear();
    releaseGuard(guard_);
    installed_ = true;
    return 0;
}

int OutputFile::commit(const void* bytes, std::size_t size) {
    if (int rc = write(bytes, size)) return rc;
    return install();
}

void OutputFile::withdraw() {
    if (installed_ && !inPlace_) ::unlink(target_.c_str());
}

int OutputFile::fail() {
    discard();
    return report(kWriteFileError, name_.c_str());
}

void OutputFile::discard() {
    BlockedInterrupts blocked;
    releaseGuard(guard_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    if (createdInPlace_) ::unlink(target_.c_str());
    createdInPlace_ = false;
}
