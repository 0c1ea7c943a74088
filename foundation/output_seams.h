// The file-system calls through which the output writers make a temporary
// file and rename one; a test replaces them to make either fail.
#pragma once

#include <stdlib.h>

#include <cstdio>

struct OutputSeams {
    int (*makeTemporary)(char* pattern, int flags) = mkostemp;
    int (*rename)(const char* from, const char* to) = std::rename;
};

inline OutputSeams outputSeams;
