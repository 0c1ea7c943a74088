// Runs a built tool in a scratch folder and captures what it printed.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;  // the exit status a shell sees (low eight bits)
    std::string output;
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A fresh empty folder, removed when the object goes away.
class ScratchDir {
  public:
    ScratchDir() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("cjk-e2e-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
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

// A database with its three dates (header bytes 36 to 47) blanked.
inline std::string maskDates(std::string database) {
    for (std::size_t i = 36; i < 48 && i < database.size(); ++i) database[i] = '\0';
    return database;
}

}  // namespace e2e
