// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "plot/pipe_bytes.h"

namespace varnel {
namespace {

// Rows reach the file in pieces of this size, so a stopped run loses at most one.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    if (path_.empty() || path_ == "-") {
        fd_ = 1;
        return;
    }
    // A link is followed, so that the file it names is replaced and the link stays.
    std::string target = path_;
    struct stat existing {};
    const bool exists = stat(path_.c_str(), &existing) == 0;
    if (exists) {
        if (char* real = realpath(path_.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device, a pipe or a terminal cannot be replaced and has no contents to keep: it is
        // written through, with the same checks.
        fd_ = open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0)
            Fail("cannot open", errno);
        return;
    }
    target_ = target;
    std::vector<char> name(target.begin(), target.end());
    for (const char c : std::string_view(".partial-XXXXXX"))
        name.push_back(c);
    name.push_back('\0');
    fd_ = mkstemp(name.data());
    if (fd_ < 0 && exists) {
        // The file is there, but its folder takes no new file (a /proc file, say): the error
        // of the new file's name would wrongly say the file is missing.
        const int error = errno;
        throw OutputError("cannot write " + path_ + ": the new contents cannot be made beside it " +
                              "to replace it whole (" + std::strerror(error) + ")",
                          error);
    }
    if (fd_ < 0)
        Fail("cannot create", errno);
    temporary_ = name.data();
    // mkstemp makes the file 0600; a result file gets the permissions of the one it replaces,
    // or the usual ones.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd_, mode);
}

OutputFile::~OutputFile() {
    if (done_ || fd_ < 0)
        return;
    if (fd_ != 1) {
        close(fd_);
        if (!temporary_.empty())
            unlink(temporary_.c_str());
    }
}

void OutputFile::Write(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void OutputFile::Flush() {
    errno = 0;  // a write of nothing leaves it so: the device's fault, EIO
    if (!WriteAll(fd_, buffer_))
        Fail("cannot write", errno != 0 ? errno : EIO);
    buffer_.clear();
}

void OutputFile::Commit() {
    Flush();
    done_ = true;
    if (fd_ == 1)
        return;
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
        const int error = errno;
        if (!temporary_.empty())
            unlink(temporary_.c_str());
        Fail("cannot write", error);
    }
    if (temporary_.empty())
        return;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        Fail("cannot replace", error);
    }
}

std::string OutputFile::Keep() {
    Flush();
    done_ = true;
    if (fd_ == 1)
        return "";
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0)
        Fail("cannot write", errno);
    return temporary_;
}

void OutputFile::Fail(const std::string& what, int error) const {
    const std::string name = fd_ == 1 ? std::string("standard output") : path_;
    throw OutputError(what + " " + name + ": " + SystemReason(error), error);
}

std::string SystemReason(int error) {
    const char* reason = strerrordesc_np(error);
    return reason ? std::string(reason) : "error " + std::to_string(error);
}

}  // namespace varnel
