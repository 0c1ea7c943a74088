#include "foundation/desktop_tables/import_outputs.h"

#include <utility>

#include "foundation/common_messages.h"
#include "foundation/file_identity.h"
#include "foundation/output_group.h"

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    return a == b || isSameFile(a.c_str(), b.c_str());
}

}  // namespace

int checkImportOutputs(const DesktopTable& table, const std::vector<ImportOutput>& outputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& name = outputs[i].name;
        for (const std::string& read : table.fileNames) {
            if (sameFile(name, read)) return report(kDestinationIsSource, name.c_str());
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (sameFile(name, outputs[j].name)) return report(kAnotherFileOfRun, name.c_str());
        }
    }
    return 0;
}

int writeImportOutputs(const std::vector<ImportOutput>& outputs) {
    OutputGroup group;
    for (const ImportOutput& output : outputs) {
        if (output.produce) {
            group.add(output.name, output.produce);
        } else {
            group.add(output.name, std::move(*output.bytes));
        }
    }
    return group.commit();
}
