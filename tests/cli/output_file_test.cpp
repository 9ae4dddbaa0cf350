// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli/echoed_text.h"
#include "scratch_dir.h"

namespace varnel {
namespace {

std::string TempDir(const std::string& name) {
    const std::string dir = ScratchPath("output_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t FilesIn(const std::string& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

TEST(OutputFile, ReplacesTheTargetOnlyOnCommit) {
    const std::string dir = TempDir("commit");
    const std::string path = dir + "/out.csv";
    std::ofstream(path) << "old\n";
    {
        OutputFile out(path);
        out.Write("new,");
        out.Write("rows\n");
        EXPECT_EQ(ReadFile(path), "old\n");  // not yet
        EXPECT_EQ(FilesIn(dir), 2u);         // the target and the file beside it
        out.Commit();
    }
    EXPECT_EQ(ReadFile(path), "new,rows\n");
    EXPECT_EQ(FilesIn(dir), 1u);
    // Made with the permissions of any new file, not mkstemp's 0600.
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(OutputFile, AnUncommittedFileLeavesTheOldOneAndNoTrace) {
    const std::string dir = TempDir("abandon");
    const std::string path = dir + "/out.csv";
    std::ofstream(path) << "old\n";
    {
        OutputFile out(path);
        out.Write(std::string(200000, 'x'));  // more than is buffered: some reaches the disk
    }
    EXPECT_EQ(ReadFile(path), "old\n");
    EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(OutputFile, KeepLeavesTheWholeWrittenTextBesideTheTarget) {
    const std::string dir = TempDir("keep");
    const std::string path = dir + "/out.csv";
    std::string kept;
    {
        OutputFile out(path);
        out.Write("a,b\n1,2\n");
        kept = out.Keep();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::path(kept).parent_path(), std::filesystem::path(dir));
    EXPECT_EQ(ReadFile(kept), "a,b\n1,2\n");
}

// Each failure names the path and the system's reason.
TEST(OutputFile, FailuresNameThePathAndTheReason) {
    try {
        OutputFile out("/nonexistent-varnel-dir/out.csv");
        FAIL() << "created a file in a missing directory";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(),
                     "cannot create /nonexistent-varnel-dir/out.csv: No such file or directory");
    }

    // A full disk shows when the text reaches it: at the latest on Commit.
    const std::string dir = TempDir("full");
    const std::string path = dir + "/out.csv";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // In a child, so the limit and its signal touch nothing else.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            OutputFile out(path);
            out.Write(std::string(5000, 'x'));
            out.Commit();
            _exit(1);
        } catch (const OutputError& e) {
            const std::string expected = "cannot write " + path + ": File too large";
            _exit(expected == e.what() ? 0 : 2);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no failure, 2: another message";
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(FilesIn(dir), 0u);
}

// What is not a regular file cannot be replaced: it is written through and stays what it was.
// A link is followed, so the file it names gets the new text, keeping its permissions.
TEST(OutputFile, DevicesAreWrittenThroughAndLinksFollowed) {
    {
        OutputFile null("/dev/null");
        EXPECT_FALSE(null.replacesFile());
        null.Write("nothing\n");
        null.Commit();
    }
    struct stat device {};
    ASSERT_EQ(stat("/dev/null", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));

    const std::string dir = TempDir("links");
    const std::string target = dir + "/target.csv", link = dir + "/link.csv";
    std::ofstream(target) << "old\n";
    chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, link);
    OutputFile out(link);
    EXPECT_TRUE(out.replacesFile());
    out.Write("new\n");
    out.Commit();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "new\n");
    struct stat replaced {};
    ASSERT_EQ(stat(target.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(dir), 2u);
}

TEST(SpreadsheetSafe, FormulasAreNeutralisedNumbersAreNot) {
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"=1+1", "'=1+1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"+cmd", "'+cmd"},
        {"-cmd", "'-cmd"},
        {"\tx", "'\tx"},
        {"\rx", "'\rx"},
        {"-", "'-"},
        {"-1", "-1"},
        {"-1E-3", "-1E-3"},
        {"+2", "+2"},
        {"-.5", "-.5"},
        {"0.01", "0.01"},
        {"R1", "R1"},
        {"", ""},
        {"a=b", "a=b"},
        {"--1", "'--1"},
        {"++1", "'++1"},
        {"-1 ", "'-1 "},
        {"-1E99999", "-1E99999"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpreadsheetSafe(c.text), c.written) << c.text;
}

TEST(TerminalSafe, ControlCharactersAreShownNotObeyed) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"\x1b[31mred", "\\x1B[31mred"},
        {"a\x07"
         "b",
         "a\\x07b"},
        {"tab\there", "tab\\x09here"},
        {"line\nend\r", "line\\x0Aend\\x0D"},
        {"del\x7f", "del\\x7F"},
        {"csi\xc2\x9b"
         "2J",
         "csi\\xC2\\x9B2J"},               // U+009B, the one-byte CSI
        {"Готов ...", "Готов ..."},        // Cyrillic stays as it is
        {"\xc2\xa0nbsp", "\xc2\xa0nbsp"},  // U+00A0 is not a control
        {"back\\slash", "back\\\\slash"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TerminalSafe(c.text), c.shown);
}

}  // namespace
}  // namespace varnel
