#include "foundation/stale_list.h"

#include <sys/stat.h>

#include "foundation/file_identity.h"
#include "foundation/output_group.h"

bool isStaleList(const std::string& name, const std::vector<std::string>& runFiles) {
    struct stat status {};
    if (lstat(name.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    for (const std::string& file : runFiles) {
        if (isSameFile(name.c_str(), file.c_str())) return false;
    }
    return true;
}

void addListOrTakeAway(OutputGroup& group, std::string name, std::string text) {
    if (text.empty()) {
        group.remove(std::move(name));
    } else {
        group.add(std::move(name), std::move(text));
    }
}
