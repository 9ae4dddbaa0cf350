// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/picture_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

#include "plot/pipe_bytes.h"
#include "study/study_errors.h"

extern char** environ;

namespace varnel {
namespace {

namespace fs = std::filesystem;

// The writer's place: beside this program (the build folder), else the installed place
// relative to the installed varnel-calc.
std::string WriterPath() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const fs::path here = error ? fs::path(".") : self.parent_path();
    for (const fs::path& candidate :
         {here / "varnel-picture", here / VARNEL_PICTURE_FROM_BINDIR / "varnel-picture"}) {
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    throw IoError("cannot draw the picture: its writer varnel-picture is not installed beside " +
                  here.string() + " nor in " + (here / VARNEL_PICTURE_FROM_BINDIR).string());
}

// Closes the descriptors it holds when it goes, whatever way the exchange ends.
struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() {
        if (pipe2(ends, O_CLOEXEC) != 0)
            throw IoError(std::string("cannot draw the picture: ") + std::strerror(errno));
    }
    ~Pipe() {
        CloseEnd(0);
        CloseEnd(1);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void CloseEnd(int i) {
        if (ends[i] >= 0)
            close(ends[i]);
        ends[i] = -1;
    }
};

// SIGPIPE ignored while the request is written, so that a writer that ends early gives EPIPE
// here, and the old disposition back afterwards.
class NoPipeSignal {
  public:
    NoPipeSignal() {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &previous_);
    }
    ~NoPipeSignal() { sigaction(SIGPIPE, &previous_, nullptr); }
    NoPipeSignal(const NoPipeSignal&) = delete;
    NoPipeSignal& operator=(const NoPipeSignal&) = delete;

  private:
    struct sigaction previous_ = {};
};

std::string ReadAll(int fd) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace

std::string PictureFileBytes(const PictureRequest& request) {
    const std::string writer = WriterPath();
    const std::string input = PictureRequestBytes(request);
    const NoPipeSignal noPipeSignal;
    Pipe toWriter, fromWriter;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toWriter.ends[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromWriter.ends[1], 1);
    std::vector<char> name(writer.begin(), writer.end());
    name.push_back('\0');
    char* argv[] = {name.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, writer.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw IoError("cannot run " + writer + ": " + std::strerror(spawned));
    toWriter.CloseEnd(0);
    fromWriter.CloseEnd(1);
    // The writer reads the whole request before it writes a byte, so this order cannot block.
    const bool sent = WriteAll(toWriter.ends[1], input);
    toWriter.CloseEnd(1);
    std::string output = ReadAll(fromWriter.ends[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (sent && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return output;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 1 && !output.empty())
        throw IoError("cannot draw the picture: " + output);
    throw IoError("cannot draw the picture: " + writer + " ended without one");
}

}  // namespace varnel
