// Signals and the output files. Every signal that ends a process by default
// and can be caught (interrupt, quit, hang-up, terminate, the user signals,
// the alarms, the CPU limit) removes the temporaries being written and then
// ends the process as it would have; SIGKILL and SIGSTOP cannot be caught, so
// a killed run may leave a temporary (a file whose name starts with the
// destination's name after a dot). SIGPIPE and SIGXFSZ are ignored, so that
// a write to a closed pipe or past the file-size limit fails like any other
// write and the run reports it (102).
#pragma once

#include <signal.h>

#include <string>

// Run first by each tool: SIGPIPE and SIGXFSZ ignored, and standard streams
// that are closed opened on /dev/null, so that no output file takes their
// number and a message that cannot be shown is lost without harm. The ending
// signals are caught from the first file guarded on: before it, there is
// nothing to remove, and a run that writes nothing (--version) spares the
// two dozen system calls.
void prepareProcess();

// Puts `path` among the files a signal removes; its slot, or -1 when there is
// no room.
int guardFile(const std::string& path);
// Takes a file out of those a signal removes.
void releaseGuard(int& slot);

// Keeps the ending signals away while files change; one that arrives meanwhile
// is delivered when the last BlockedSignals goes.
class BlockedSignals {
  public:
    BlockedSignals();
    ~BlockedSignals();
    BlockedSignals(const BlockedSignals&) = delete;
    BlockedSignals& operator=(const BlockedSignals&) = delete;

    // Whether an ending signal arrived while they were kept away.
    static bool oneArrived();

  private:
    sigset_t previous_;
};
