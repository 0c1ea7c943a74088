// The files one run writes together (a source and its pictures, a database
// and its list of what was left out), written all or none. commit() checks
// that no two destinations are one file (105, naming the second, before
// anything is made), makes a temporary beside each (103), writes every one
// (102), writes the devices among them in place, and then puts the new files
// in place, keeping the old ones aside until the last rename has succeeded.
// On any failure, and on any signal that ends the process and can be caught,
// every destination holds its old bytes, or does not exist if it did not
// before. (What went to a device cannot be taken back.) A file the run takes
// away is set aside with the old files and removed with them, or comes back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/output_file.h"

class OutputGroup {
  public:
    // Adds a file to write: its name as typed and its whole contents.
    void add(std::string name, std::string bytes);
    // Adds a file whose contents `produce` makes a piece at a time, once
    // every file of the group can be made.
    void add(std::string name, OutputProducer produce);

    // Adds a file written already (OutputFile::stage), to be put in place
    // with the others.
    void add(std::string name, std::unique_ptr<OutputFile> staged);

    // Adds a plain file to take away when the files are put in place (a list
    // an earlier run left that this one has nothing for); it must be none of
    // the files added.
    void remove(std::string name);

    // Writes every file added: 0, or 105, 103 or 102 after its message.
    int commit();

  private:
    int checkDistinct() const;
    int putInPlace();

    struct Output {
        std::string name;
        std::string bytes;
        OutputProducer produce;              // when set, makes the contents instead
        std::unique_ptr<OutputFile> staged;  // when set, the contents are written
    };
    std::vector<Output> outputs_;
    std::vector<std::string> removals_;
    std::vector<std::unique_ptr<OutputFile>> files_;
};
