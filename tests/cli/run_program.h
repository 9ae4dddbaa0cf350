#pragma once

#include <string>
#include <vector>

// Runs a program with the given arguments (no shell involved) and collects what it printed.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// With `interruptAfterMs` >= 0, sends the program SIGINT (as Ctrl-C does) after that long.
ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      int interruptAfterMs = -1);
