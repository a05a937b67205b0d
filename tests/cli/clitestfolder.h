#pragma once

// What the end-to-end tests of orvina-cli share: a temporary working folder
// per test, a way to run the real binary in it, and people database files
// made by the program's own writer.

#include "people/archivewriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A fixture whose tests run orvina-cli in a fresh folder of their own, with
// no display, no Qt platform chosen and no runtime folder, as on a headless
// machine.
class CliTestFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("orvina-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Runs orvina-cli with `args`; its output goes to files beside the test's own.
    CliRun Run(const std::vector<std::string>& args) const
    {
        std::string command = "cd " + ShellQuote(m_dir.string()) +
                              " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR " + ShellQuote(ORVINA_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + ShellQuote(arg);
        command += " >" + ShellQuote((m_dir / "stdout.txt").string());
        command += " 2>" + ShellQuote((m_dir / "stderr.txt").string());
        const int status = std::system(command.c_str());
        return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_dir / "stdout.txt"),
                      ReadFile(m_dir / "stderr.txt")};
    }

    // Writes the database of `people`, its first `keep` bytes only when given.
    void WritePeople(const std::string& name, const std::vector<CName>& people, size_t keep = std::string::npos) const
    {
        CNameList list;
        for (const CName& person : people)
            list.Append(person);
        std::ofstream(m_dir / name, std::ios::binary) << WriteArchive(list).substr(0, keep);
    }

    std::filesystem::path m_dir;
};
