#include "foundation/output_pieces.h"

#include "foundation/output_file.h"

OutputPieces::OutputPieces(OutputFile& file)
    : file_(file), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {}

void OutputPieces::flush() {
    writeThrough({buffer_.get(), used_});
    used_ = 0;
}

void OutputPieces::writeThrough(std::string_view bytes) {
    if (rc_ == 0 && !bytes.empty()) rc_ = file_.append(bytes.data(), bytes.size());
}

int OutputPieces::finish() {
    flush();
    return rc_ != 0 ? rc_ : file_.finish();
}
