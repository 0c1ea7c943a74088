// The file-system calls through which the output writers make a temporary
// file, rename one, and move an old file aside; a test replaces them to make
// any of them fail.
#pragma once

#include <stdlib.h>

#include <cstdio>

// Renames `from` to `to`, where no file is: never over one that came
// meanwhile (where the file system can tell), and never over one at all
// on ext4, which would first write out what `from` still holds in memory.
int renameToFreeName(const char* from, const char* to);

struct OutputSeams {
    int (*makeTemporary)(char* pattern, int flags) = mkostemp;
    int (*rename)(const char* from, const char* to) = std::rename;
    int (*renameAside)(const char* from, const char* to) = renameToFreeName;
};

inline OutputSeams outputSeams;
