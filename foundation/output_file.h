// Every output file is written whole or not at all. The contents go to a
// temporary file beside the destination, which takes the destination's place
// only when every write and the close succeeded; a run that fails leaves no
// new file behind and a file that existed under the destination's name as it
// was. A destination that is a symbolic link is followed (its target is
// replaced, the link stays). A regular file is never written in place: when
// no temporary file can be made beside it, the run stops with 103 and leaves
// it as it was. A destination that is not a regular file (a device, a FIFO, a
// terminal, or a link to one, such as /dev/stdout on a pipe) is opened by the
// name as given and written in place; every write is checked all the same.
// A signal that ends the process while an output is open removes its
// temporary and then ends the process as the signal would (output_signals.h).
// Several files of one run are written all or none by OutputGroup
// (output_group.h).
#pragma once

#include <cstddef>
#include <string>

#include "foundation/output_pieces.h"

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
    // The same for contents that `produce` makes a piece at a time.
    int write(const OutputProducer& produce);

    // Writes a piece of the contents, more to follow; finish() closes the
    // file after the last. Each returns 0, or 102 after reporting it.
    int append(const void* bytes, std::size_t size);
    int finish();

    // Writes the whole contents to a temporary beside `name` ahead of the
    // group that puts it in place (OutputGroup::add of a staged file), so
    // that a large output need not be held until the group is complete.
    // Reports nothing: false, with no file left, when the destination is not
    // a regular file or anything fails, and the group writes it instead.
    bool stage(const char* name, const OutputProducer& produce);

    // Puts what was written in the destination's place. Returns 0, or 102
    // after reporting it.
    int install();

    // write() and install().
    int commit(const std::string& bytes) { return commit(bytes.data(), bytes.size()); }
    int commit(const void* bytes, std::size_t size);

  private:
    friend class OutputGroup;

    // Gets ready to write `name` through a temporary, or in place when it
    // is not a regular file and `inPlace` allows it; false when it cannot.
    bool prepare(const char* name, bool inPlace);
    int fail();
    void discard();
    // Moves a file under the destination's name to a name of its own beside
    // it; false when it cannot.
    bool setAside();
    // Gives the destination back what it held before install().
    void putBack();
    // Removes the file set aside, once the run is complete.
    void dropAside();
    // Makes this the taking away of the plain file `name` (no link followed):
    // setAside() moves it out of the way, putBack() returns it, dropAside()
    // removes it for good.
    void takeAway(const char* name);

    std::string name_;       // as typed, for the messages
    std::string target_;     // the destination with its links followed
    std::string temporary_;  // empty when writing in place
    std::string aside_;      // the old file while a group is put in place
    int fd_ = -1;
    int guard_ = -1;  // its slot among the files a signal removes
    bool inPlace_ = false;
    bool installed_ = false;
    bool takenAway_ = false;
    bool quiet_ = false;  // staging: failures are left to the group
};

// Whether two destinations are one file: the same device and inode, links
// followed; for a file yet to be made, the same name in the same folder.
bool isSameDestination(const char* a, const char* b);
