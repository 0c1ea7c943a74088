// The few errors that end a run at once (a malformed value list, a bad code)
// go through endProcess, so that a test, a fuzzer or the decompiler's check
// of the source it writes can stand in for the process exit.
#pragma once

using ProcessEndHook = void (*)(int status);

// Ends the process with `status` (static records are destroyed as usual),
// unless a hook is installed; the hook must not return.
[[noreturn]] void endProcess(int status);

// Installs a replacement for the process exit; nullptr restores the default.
void setProcessEndHook(ProcessEndHook hook);
