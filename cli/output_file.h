// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnel {

// An output that could not be written; the message names the path and the system's reason.
class OutputError : public std::runtime_error {
  public:
    explicit OutputError(const std::string& message, int error = 0)
        : std::runtime_error(message), error_(error) {}
    // The errno behind it; EPIPE for a reader that has gone away.
    int error() const { return error_; }

  private:
    int error_;
};

// A file written whole or not at all: the text goes to a temporary file beside the target
// (same directory, so the rename cannot cross file systems), and only Commit() puts it in the
// target's place. Until then an existing file keeps its old contents; a file never committed
// is removed, unless Keep() asked for what was written to stay. The path "-" or "" means
// standard output, written through as it comes, with the same checks; so is an existing path
// that is not a regular file (/dev/null, a named pipe), which has nothing to keep. Every write, the
// flush and the close are checked and fail with an OutputError.
class OutputFile {
  public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(std::string_view text);
    // Writes what is buffered now, for a reader waiting on a pipe.
    void Flush();
    // Writes what is buffered, closes and renames the file into place.
    void Commit();
    // Leaves the temporary file where it is (closing it) and returns its path, for a run that
    // stopped but whose whole rows are worth keeping; "" for standard output.
    std::string Keep();

    const std::string& path() const { return path_; }
    bool toStandardOutput() const { return fd_ == 1; }
    // False for standard output and for what cannot be replaced (a device, a pipe), which are
    // written through.
    bool replacesFile() const { return !temporary_.empty(); }

  private:
    [[noreturn]] void Fail(const std::string& what, int error) const;

    std::string path_;
    std::string target_;     // the file replaced: the path, its links followed
    std::string temporary_;  // empty for standard output, a device or a pipe
    std::string buffer_;
    int fd_ = -1;
    bool done_ = false;
};

// The system's reason for an error number, in English like the messages it ends: the same text
// whether or not the locale was set (Qt sets it for pictures).
std::string SystemReason(int error);

}  // namespace varnel
