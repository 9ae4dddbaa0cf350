#pragma once

#include <string>
#include <vector>

// Runs a program with the given arguments (no shell involved) and collects what it printed.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args);
