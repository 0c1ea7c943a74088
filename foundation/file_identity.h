// Whether two names stand for one file: the same device and inode, which
// covers the same name, "./" prefixes, hard links and symbolic links.
#pragma once

// True when both names exist and are the same file.
bool isSameFile(const char* a, const char* b);
