#include "foundation/desktop_tables/import_outputs.h"

#include <memory>

#include "foundation/common_messages.h"
#include "foundation/file_identity.h"
#include "foundation/output_file.h"

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
    std::vector<std::unique_ptr<OutputFile>> files;
    for (const ImportOutput& output : outputs) {
        files.push_back(std::make_unique<OutputFile>());
        if (int rc = files.back()->open(output.name.c_str())) return rc;
        if (int rc = files.back()->write(output.bytes->data(), output.bytes->size())) return rc;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (int rc = files[i]->install()) {
            for (std::size_t j = 0; j < i; ++j) files[j]->withdraw();
            return rc;
        }
    }
    return 0;
}
