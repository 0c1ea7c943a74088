// The contents of an output made a piece at a time, so that a large one is
// never held whole: what is appended waits in a buffer of fixed size, which
// goes to the output's file each time it fills. The file is still written
// all or none (output_file.h): the pieces go to its temporary.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

class OutputFile;

class OutputPieces {
  public:
    // A quarter of a huge page: the buffer is new memory in each run, and
    // a larger one costs more first touches than the writes it saves.
    static constexpr std::size_t kBufferSize = std::size_t{256} << 10;

    explicit OutputPieces(OutputFile& file);
    OutputPieces(const OutputPieces&) = delete;
    OutputPieces& operator=(const OutputPieces&) = delete;

    void append(std::string_view bytes) {
        if (bytes.size() > kBufferSize - used_) {
            flush();
            if (bytes.size() > kBufferSize) return writeThrough(bytes);
        }
        bytes.copy(buffer_.get() + used_, bytes.size());
        used_ += bytes.size();
    }

    // Room for `size` bytes (at most kBufferSize), to be filled and then
    // kept with wrote(count), count <= size.
    char* room(std::size_t size) {
        if (size > kBufferSize - used_) flush();
        return buffer_.get() + used_;
    }
    void wrote(std::size_t count) { used_ += count; }

    // Writes what is left and closes the file: 0, or 102 after reporting
    // the first write that failed (what was appended after it is dropped).
    int finish();

  private:
    void flush();
    void writeThrough(std::string_view bytes);

    OutputFile& file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    int rc_ = 0;
};

// Makes an output's contents, appending them to the pieces it is given.
using OutputProducer = std::function<void(OutputPieces&)>;
