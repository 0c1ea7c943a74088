#include "foundation/output_group.h"

#include "foundation/common_messages.h"
#include "foundation/output_signals.h"

namespace {

// Not a message: the files were put back for a signal.
constexpr int kSignalArrived = -1;

}  // namespace

void OutputGroup::add(std::string name, std::string bytes) {
    outputs_.push_back({std::move(name), std::move(bytes), {}, {}});
}

void OutputGroup::add(std::string name, OutputProducer produce) {
    outputs_.push_back({std::move(name), {}, std::move(produce), {}});
}

void OutputGroup::add(std::string name, std::unique_ptr<OutputFile> staged) {
    outputs_.push_back({std::move(name), {}, {}, std::move(staged)});
}

void OutputGroup::remove(std::string name) {
    removals_.push_back(std::move(name));
}

int OutputGroup::checkDistinct() const {
    for (std::size_t second = 1; second < outputs_.size(); ++second) {
        for (std::size_t first = 0; first < second; ++first) {
            const char* name = outputs_[second].name.c_str();
            if (isSameDestination(outputs_[first].name.c_str(), name)) {
                return report(kAnotherFileOfRun, name);
            }
        }
    }
    return 0;
}

int OutputGroup::commit() {
    if (int rc = checkDistinct()) return rc;
    for (Output& output : outputs_) {
        if (output.staged) {
            files_.push_back(std::move(output.staged));
            continue;
        }
        files_.push_back(std::make_unique<OutputFile>());
        if (int rc = files_.back()->open(output.name.c_str())) return rc;
    }
    for (const std::string& name : removals_) {
        files_.push_back(std::make_unique<OutputFile>());
        files_.back()->takeAway(name.c_str());
    }
    // Temporaries first, devices last: a failure before the renames changes
    // no file. A staged file is written and closed already.
    for (bool devices : {false, true}) {
        for (std::size_t i = 0; i < outputs_.size(); ++i) {
            if (files_[i]->inPlace_ != devices || files_[i]->fd_ < 0) continue;
            const Output& output = outputs_[i];
            if (int rc = output.produce
                             ? files_[i]->write(output.produce)
                             : files_[i]->write(output.bytes.data(), output.bytes.size())) {
                return rc;
            }
        }
    }
    // Put back after a signal: a message only if the process outlived it.
    const int rc = putInPlace();
    return rc == kSignalArrived ? report(kWriteFileError, outputs_.back().name.c_str()) : rc;
}

// The renames are one step: a signal that arrives meanwhile is held until the
// last one, then every file is put back and the signal ends the process.
int OutputGroup::putInPlace() {
    BlockedSignals blocked;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        OutputFile& file = *files_[i];
        int rc = file.setAside() ? file.install() : report(kWriteFileError, file.name_.c_str());
        if (rc == 0 && i + 1 == files_.size() && BlockedSignals::oneArrived()) rc = kSignalArrived;
        if (rc != 0) {
            for (std::size_t j = i + 1; j-- > 0;) files_[j]->putBack();
            return rc;
        }
    }
    for (const auto& file : files_) file->dropAside();
    return 0;
}
