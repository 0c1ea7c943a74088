#include "foundation/desktop_tables/import_outputs.h"

#include <utility>

#include "foundation/common_messages.h"
#include "foundation/file_identity.h"
#include "foundation/output_group.h"
#include "foundation/stale_list.h"

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

std::unique_ptr<OutputFile> stageImportOutput(const std::string& name,
                                              const OutputProducer& produce) {
    auto file = std::make_unique<OutputFile>();
    if (!file->stage(name.c_str(), produce)) file.reset();
    return file;
}

std::vector<std::string> staleCompanions(const DesktopTable& table,
                                         const std::vector<ImportOutput>& outputs,
                                         const std::vector<std::string>& companions) {
    std::vector<std::string> runFiles = table.fileNames;
    for (const ImportOutput& output : outputs) runFiles.push_back(output.name);
    std::vector<std::string> stale;
    for (const std::string& name : companions) {
        if (isStaleList(name, runFiles)) stale.push_back(name);
    }
    return stale;
}

int writeImportOutputs(const std::vector<ImportOutput>& outputs,
                       const std::vector<std::string>& stale) {
    OutputGroup group;
    for (const ImportOutput& output : outputs) {
        if (output.staged && *output.staged) {
            group.add(output.name, std::move(*output.staged));
        } else if (output.produce) {
            group.add(output.name, output.produce);
        } else {
            group.add(output.name, std::move(*output.bytes));
        }
    }
    for (const std::string& name : stale) group.remove(name);
    return group.commit();
}
