#include "foundation/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/common_messages.h"
#include "foundation/output_seams.h"
#include "foundation/output_signals.h"

namespace {

constexpr int kMaxLinksFollowed = 40;
// Room left for the temporary file's prefix and suffix in a name.
constexpr std::size_t kMaxNameInTemporary = 200;

std::string parentFolderOf(const std::string& path) {
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
        path = target[0] == '/' ? target : parentFolderOf(path) + "/" + target;
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

// A name of its own beside `target`, made as an empty file; -1 when the
// folder takes none.
int makeFileBeside(const std::string& target, std::string& name) {
    name =
        parentFolderOf(target) + "/." + baseOf(target).substr(0, kMaxNameInTemporary) + ".XXXXXX";
    const int fd = outputSeams.makeTemporary(name.data(), O_CLOEXEC);
    if (fd < 0) name.clear();
    return fd;
}

}  // namespace

OutputFile::~OutputFile() {
    if (!installed_) discard();
}

int OutputFile::open(const char* name) {
    return prepare(name, true) ? 0 : report(kCreateFileFail, name);
}

bool OutputFile::prepare(const char* name, bool inPlace) {
    name_ = name;
    struct stat status {};
    if (stat(name, &status) == 0 && !S_ISREG(status.st_mode)) {
        if (!inPlace) return false;
        // A device, a FIFO, a terminal or a link to one, opened as given: the
        // target of /dev/stdout may be a pipe, which has no name to follow.
        fd_ = ::open(name, O_WRONLY | O_CLOEXEC);
        inPlace_ = fd_ >= 0;
        return inPlace_;
    }
    target_ = followLinks(name);
    const bool exists = stat(target_.c_str(), &status) == 0;
    if (exists && access(target_.c_str(), W_OK) != 0) return false;

    BlockedSignals blocked;
    fd_ = makeFileBeside(target_, temporary_);
    if (fd_ < 0) return false;
    guard_ = guardFile(temporary_);
    if (exists) {
        fchmod(fd_, status.st_mode & 07777);
        if (fchown(fd_, status.st_uid, status.st_gid) != 0) {
            // Another owner's file becomes the writer's own; nothing else changes.
        }
    } else {
        fchmod(fd_, newFileMode());
    }
    return true;
}

bool OutputFile::stage(const char* name, const OutputProducer& produce) {
    quiet_ = true;
    const bool staged = prepare(name, false) && write(produce) == 0;
    quiet_ = false;
    if (!staged) discard();
    return staged;
}

int OutputFile::write(const void* bytes, std::size_t size) {
    if (int rc = append(bytes, size)) return rc;
    return finish();
}

int OutputFile::write(const OutputProducer& produce) {
    OutputPieces pieces(*this);
    produce(pieces);
    return pieces.finish();
}

int OutputFile::append(const void* bytes, std::size_t size) {
    return writeAll(fd_, static_cast<const char*>(bytes), size) ? 0 : fail();
}

int OutputFile::finish() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail();
    return 0;
}

int OutputFile::install() {
    BlockedSignals blocked;
    if (!temporary_.empty() && outputSeams.rename(temporary_.c_str(), target_.c_str()) != 0) {
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

bool OutputFile::setAside() {
    struct stat status {};
    if ((temporary_.empty() && !takenAway_) || lstat(target_.c_str(), &status) != 0) return true;
    // A name of its own for the old file, then free for the old file to take.
    const int fd = makeFileBeside(target_, aside_);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(aside_.c_str());
    if (outputSeams.renameAside(target_.c_str(), aside_.c_str()) == 0) return true;
    aside_.clear();
    return false;
}

void OutputFile::putBack() {
    if (installed_ && aside_.empty() && !target_.empty() && !takenAway_) {
        ::unlink(target_.c_str());
    }
    if (!aside_.empty()) std::rename(aside_.c_str(), target_.c_str());
    aside_.clear();
    installed_ = false;
}

void OutputFile::dropAside() {
    if (!aside_.empty()) ::unlink(aside_.c_str());
    aside_.clear();
}

void OutputFile::takeAway(const char* name) {
    name_ = name;
    target_ = name;
    takenAway_ = true;
}

int OutputFile::fail() {
    discard();
    return quiet_ ? static_cast<int>(kWriteFileError.code) : report(kWriteFileError, name_.c_str());
}

void OutputFile::discard() {
    BlockedSignals blocked;
    releaseGuard(guard_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

int renameToFreeName(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    // A file system that cannot tell takes a plain rename.
    if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
    return std::rename(from, to);
}

bool isSameDestination(const char* a, const char* b) {
    struct stat first {};
    struct stat second {};
    if (stat(a, &first) == 0 && stat(b, &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    // A file yet to be made: the same name in the same folder.
    const std::string pathA = followLinks(a);
    const std::string pathB = followLinks(b);
    return baseOf(pathA) == baseOf(pathB) && stat(parentFolderOf(pathA).c_str(), &first) == 0 &&
           stat(parentFolderOf(pathB).c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
