// Whether two names stand for one file: the same device and inode, which
// covers the same name, "./" prefixes, hard links and symbolic links.
#pragma once

#include <sys/types.h>

#include <compare>

// What a file is, whatever name it is reached by.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;

    auto operator<=>(const FileIdentity&) const = default;
};

// Sets `identity` to the file `name` stands for; false when there is none.
bool fileIdentityOf(const char* name, FileIdentity& identity);

// True when both names exist and are the same file.
bool isSameFile(const char* a, const char* b);
