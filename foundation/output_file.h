// Every output file is written whole or not at all. The contents go to a
// temporary file beside the destination, which takes the destination's place
// only when every write and the close succeeded; a run that fails leaves no
// new file behind and a file that existed under the destination's name as it
// was. A destination that is a symbolic link is followed (its target is
// replaced, the link stays). A destination that is not a regular file (a
// device) is written in place, and so is one whose folder takes no temporary
// file; every write is checked all the same. An interrupt (SIGINT, SIGTERM,
// SIGHUP) while an output is open removes its temporary, or the destination
// it created in place, and then ends the process as the signal would.
#pragma once

#include <cstddef>
#include <string>

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Gets ready to write `name`. Returns 0, or 103 after reporting it when
    // the destination cannot be written.
    int open(const char* name);

    // Writes the whole contents. Returns 0, or 102 after reporting it when a
    // write or the close fails.
    int write(const void* bytes, std::size_t size);

    // Puts what was written in the destination's place. Returns 0, or 102
    // after reporting it.
    int install();

    // write() and install().
    int commit(const std::string& bytes) { return commit(bytes.data(), bytes.size()); }
    int commit(const void* bytes, std::size_t size);

    // Removes a file that install() put in place, when a later output of the
    // same run failed; a file it replaced stays replaced.
    void withdraw();

  private:
    int fail();
    void discard();

    std::string name_;       // as typed, for the messages
    std::string target_;     // the destination with its links followed
    std::string temporary_;  // empty when writing in place
    int fd_ = -1;
    int guard_ = -1;  // its slot among the files an interrupt removes
    bool inPlace_ = false;
    bool createdInPlace_ = false;
    bool written_ = false;
    bool installed_ = false;
};
