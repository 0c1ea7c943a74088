#include "foundation/output_signals.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr int kEndingSignals[] = {SIGINT,  SIGTERM,   SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2,
                                  SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGPOLL};
constexpr int kMaxGuardedFiles = 16;
char guardedPaths[kMaxGuardedFiles][PATH_MAX];
volatile sig_atomic_t guarded[kMaxGuardedFiles];
bool handlersInstalled = false;

sigset_t endingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kEndingSignals) sigaddset(&set, signal);
    return set;
}

extern "C" void removeGuardedFilesAndStop(int signal) {
    for (int i = 0; i < kMaxGuardedFiles; ++i) {
        if (guarded[i]) ::unlink(guardedPaths[i]);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// A signal ignored when the run began (nohup) stays ignored, and one that a
// host program already handles (a fuzzer's timer) keeps its handler.
void installHandlers() {
    if (handlersInstalled) return;
    handlersInstalled = true;
    for (int signal : kEndingSignals) {
        struct sigaction action {};
        if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler != SIG_DFL) continue;
        action = {};
        action.sa_handler = removeGuardedFilesAndStop;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace

void prepareProcess() {
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGXFSZ, SIG_IGN);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) != fd) break;
    }
}

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

BlockedSignals::BlockedSignals() {
    const sigset_t blocked = endingSignals();
    sigprocmask(SIG_BLOCK, &blocked, &previous_);
}

BlockedSignals::~BlockedSignals() {
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

bool BlockedSignals::oneArrived() {
    sigset_t pending;
    if (sigpending(&pending) != 0) return false;
    for (int signal : kEndingSignals) {
        if (sigismember(&pending, signal) == 1) return true;
    }
    return false;
}
