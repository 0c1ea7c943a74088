// Runs a built tool in a scratch folder and captures what it printed.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/database_bytes.h"
#include "tests/support/files.h"

namespace e2e {

namespace fs = std::filesystem;
using test_support::maskDates;
using test_support::readFile;
using test_support::ScratchDir;
using test_support::writeFile;

struct RunResult {
    int status = -1;  // the exit status a shell sees (low eight bits)
    int signal = 0;   // the signal that ended the run, if one did
    std::string output;
};

// Variables set for one run, NAME and value.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Starts `program` with `args` in folder `cwd`, its standard output going to
// a file there. The run sees SOURCE_DATE_EPOCH only when `environment` sets
// it, so that the surroundings of the test cannot change the dates or the
// output.
inline pid_t startTool(const std::string& program, const std::vector<std::string>& args,
                       const fs::path& cwd, const Environment& environment = {}) {
    const fs::path outputPath = cwd / ".stdout";
    const pid_t pid = fork();
    if (pid == 0) {
        // The run gets the signals' usual actions, whatever the test runner ignores.
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
        unsetenv("SOURCE_DATE_EPOCH");
        for (const auto& [name, value] : environment) {
            if (setenv(name.c_str(), value.c_str(), 1) != 0) _exit(127);
        }
        if (chdir(cwd.c_str()) != 0) _exit(127);
        int fd = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) _exit(127);
        dup2(fd, STDOUT_FILENO);
        close(fd);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

// Waits for a started run; its exit status, or the signal that ended it, and
// what it printed.
inline RunResult finishTool(pid_t pid, const fs::path& cwd) {
    RunResult result;
    int wstatus = 0;
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid) {
        if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
        if (WIFSIGNALED(wstatus)) result.signal = WTERMSIG(wstatus);
    }
    result.output = readFile(cwd / ".stdout");
    fs::remove(cwd / ".stdout");
    return result;
}

inline RunResult runTool(const std::string& program, const std::vector<std::string>& args,
                         const fs::path& cwd, const Environment& environment = {}) {
    return finishTool(startTool(program, args, cwd, environment), cwd);
}

}  // namespace e2e
