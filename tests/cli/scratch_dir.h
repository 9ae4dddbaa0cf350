// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

// A folder of the test program's own (varnel_<pid>_XXXXXX in the temporary folder) for the
// files its tests write, made on first use and removed with everything in it when the program
// ends, whether its tests passed or failed.
class ScratchDir {
  public:
    static const std::string& Path() {
        static const ScratchDir dir;
        return dir.path_;
    }

    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

  private:
    ScratchDir() {
        std::string name = ::testing::TempDir() + "varnel_" + std::to_string(getpid()) + "_XXXXXX";
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr)
            throw std::filesystem::filesystem_error(
                "mkdtemp", name, std::error_code(errno, std::generic_category()));
        path_ = buffer.data();
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string path_;
};

// A path for a test's file inside the scratch folder.
inline std::string ScratchPath(const std::string& name) {
    return ScratchDir::Path() + "/" + name;
}
