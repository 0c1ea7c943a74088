#include "foundation/file_identity.h"

#include <sys/stat.h>

bool fileIdentityOf(const char* name, FileIdentity& identity) {
    struct stat status {};
    if (stat(name, &status) != 0) return false;
    identity = {status.st_dev, status.st_ino};
    return true;
}

bool isSameFile(const char* a, const char* b) {
    FileIdentity first;
    FileIdentity second;
    return fileIdentityOf(a, first) && fileIdentityOf(b, second) && first == second;
}
