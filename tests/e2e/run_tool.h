// Runs a built tool in a scratch folder and captures what it printed.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
    std::string output;
};

// Variables set for one run, NAME and value.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs `program` with `args` in folder `cwd`; standard output is captured.
// The run sees SOURCE_DATE_EPOCH only when `environment` sets it, so that the
// surroundings of the test cannot change the dates or the output.
inline RunResult runTool(const std::string& program, const std::vector<std::string>& args,
                         const fs::path& cwd, const Environment& environment = {}) {
    const fs::path outputPath = cwd / ".stdout";
    pid_t pid = fork();
    if (pid == 0) {
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
    RunResult result;
    int wstatus = 0;
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
        result.status = WEXITSTATUS(wstatus);
    }
    result.output = readFile(outputPath);
    fs::remove(outputPath);
    return result;
}

}  // namespace e2e
