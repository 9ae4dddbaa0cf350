// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Runs a program with the given arguments (no shell involved) and collects what it printed.
struct ProgramRun {
    int exitCode = -1;   // -1 when a signal ended it
    int termSignal = 0;  // the signal that ended it, or 0
    std::string out;
    std::string err;
};

// The conditions a program is started under, for the tests of how it meets faults.
struct RunOptions {
    bool feedStdin = false;  // standard input is stdinText instead of /dev/null
    std::string stdinText;
    int signal = 0;  // sent after signalAfterMs (>= 0), or once stdout has signalAfterBytes
    int signalAfterMs = -1;
    std::size_t signalAfterBytes = 0;
    std::vector<std::pair<int, rlim_t>> limits;  // setrlimit(resource, soft = hard = value)
    std::vector<std::pair<std::string, std::string>> setEnv;
    std::vector<std::string> unsetEnv;
    std::string stdoutPath;    // standard output written to this file (e.g. /dev/full)
    bool closeStdout = false;  // standard output is a pipe nobody reads: writes break it
    bool ignoreSigpipe = false;
    bool terminal = false;  // standard output is a terminal (a pseudo-terminal)
};

// With `interruptAfterMs` >= 0, sends the program SIGINT (as Ctrl-C does) after that long.
ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      int interruptAfterMs = -1);

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      const RunOptions& options);

// A number that varnel-calc wrote, correctly rounded and whatever the C locale says (so that
// the suites also hold under a decimal-comma locale). Throws for anything but a whole number.
long double ReadNumber(std::string_view text);
