// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <stdexcept>

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      int interruptAfterMs) {
    RunOptions options;
    if (interruptAfterMs >= 0) {
        options.signal = SIGINT;
        options.signalAfterMs = interruptAfterMs;
    }
    return RunProgram(path, args, options);
}

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      const RunOptions& options) {
    int outPipe[2], errPipe[2], inPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0 || pipe(inPipe) != 0)
        throw std::runtime_error("pipe failed");
    int terminalMaster = -1, terminalSlave = -1;
    if (options.terminal && openpty(&terminalMaster, &terminalSlave, nullptr, nullptr, nullptr))
        throw std::runtime_error("openpty failed");
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (options.terminal) {
            dup2(terminalSlave, 1);
        } else if (!options.stdoutPath.empty()) {
            const int file = open(options.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (file < 0)
                _exit(126);
            dup2(file, 1);
        } else {
            dup2(outPipe[1], 1);
        }
        dup2(errPipe[1], 2);
        if (options.feedStdin) {
            dup2(inPipe[0], 0);
        } else {
            const int devNull = open("/dev/null", O_RDONLY);
            dup2(devNull, 0);
        }
        for (int fd = 3; fd < 64; ++fd)
            close(fd);
        // Ignored signals stay ignored across exec: start from the defaults (the test itself
        // ignores SIGPIPE, and a test run under nohup ignores SIGHUP).
        for (const int s : {SIGPIPE, SIGHUP, SIGINT, SIGTERM, SIGXFSZ})
            signal(s, SIG_DFL);
        if (options.ignoreSigpipe)
            signal(SIGPIPE, SIG_IGN);
        for (const auto& [resource, value] : options.limits) {
            const rlimit limit{value, value};
            setrlimit(resource, &limit);
        }
        for (const auto& name : options.unsetEnv)
            unsetenv(name.c_str());
        for (const auto& [name, value] : options.setEnv)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(path.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    close(inPipe[0]);
    if (options.terminal) {
        close(terminalSlave);
        close(outPipe[0]);
        outPipe[0] = terminalMaster;
    }
    if (options.closeStdout || !options.stdoutPath.empty()) {
        close(outPipe[0]);
        outPipe[0] = -1;
    }
    // The test must not die of its own broken pipe when the program stops reading early.
    signal(SIGPIPE, SIG_IGN);
    if (options.feedStdin) {
        std::size_t done = 0;
        while (done < options.stdinText.size()) {
            const ssize_t n =
                write(inPipe[1], options.stdinText.data() + done, options.stdinText.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
    }
    close(inPipe[1]);

    ProgramRun run;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int open = outPipe[0] >= 0 ? 2 : 1;
    bool signalPending = options.signal != 0;
    const auto signalAt = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(std::max(0, options.signalAfterMs));
    while (open > 0) {
        int timeout = -1;
        if (signalPending && options.signalAfterMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                signalAt - std::chrono::steady_clock::now());
            timeout = static_cast<int>(std::max<long long>(0, left.count()));
        }
        const int ready = poll(fds, 2, timeout);
        if (ready < 0)
            break;
        const bool timeUp =
            options.signalAfterMs >= 0 && std::chrono::steady_clock::now() >= signalAt;
        const bool enoughOutput =
            options.signalAfterMs < 0 && run.out.size() >= options.signalAfterBytes;
        if (signalPending && (timeUp || enoughOutput)) {
            kill(pid, options.signal);
            signalPending = false;
        }
        if (ready == 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                // A terminal's master reads EIO once the program has closed its side.
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    if (fds[0].fd >= 0)
        close(fds[0].fd);
    if (fds[1].fd >= 0)
        close(fds[1].fd);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.termSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

long double ReadNumber(std::string_view text) {
    long double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("not a number: '" + std::string(text) + "'");
    return value;
}
