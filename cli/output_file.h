#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnel {

// An output that could not be written; the message names the path and the system's reason.
class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file written whole or not at all: the text goes to a temporary file beside the target
// (same directory, so the rename cannot cross file systems), and only Commit() puts it in the
// target's place. Until then an existing file keeps its old contents; a file never committed
// is removed, unless Keep() asked for what was written to stay. The path "-" or "" means
// standard output, written through as it comes, with the same checks. Every write, the flush
// and the close are checked and fail with an OutputError.
class OutputFile {
  public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(std::string_view text);
    // Writes what is buffered, closes and renames the file into place.
    void Commit();
    // Leaves the temporary file where it is (closing it) and returns its path, for a run that
    // stopped but whose whole rows are worth keeping; "" for standard output.
    std::string Keep();

    const std::string& path() const { return path_; }
    bool toStandardOutput() const { return fd_ == 1; }

  private:
    void Flush();
    [[noreturn]] void Fail(const std::string& what, int error) const;

    std::string path_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    bool done_ = false;
};

}  // namespace varnel
