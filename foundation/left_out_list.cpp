#include "foundation/left_out_list.h"

#include "foundation/common_messages.h"
#include "foundation/file_identity.h"
#include "foundation/text_helpers.h"

namespace {
constexpr char kListSuffix[] = "-left-out.txt";
constexpr std::size_t kDatabaseExtensionLength = 4;
}  // namespace

std::string nameBesideDatabase(const std::string& destination, const char* suffix) {
    std::string name = destination;
    if (name.size() >= kDatabaseExtensionLength &&
        upperCopy(name.substr(name.size() - kDatabaseExtensionLength).c_str()) == ".PDB") {
        name.resize(name.size() - kDatabaseExtensionLength);
    }
    return name + suffix;
}

std::string leftOutListName(const std::string& destination) {
    return nameBesideDatabase(destination, kListSuffix);
}

int checkLeftOutListName(const std::string& listName, const std::vector<std::string>& filesRead,
                         const char* destinationName) {
    const char* list = listName.c_str();
    for (const std::string& file : filesRead) {
        if (isSameFile(list, file.c_str())) return report(kDestinationIsSource, list);
    }
    if (isSameFile(list, destinationName)) return report(kAnotherFileOfRun, list);
    return 0;
}
