#pragma once

// What the end-to-end tests of orvina-cli share: a temporary working folder
// per test, a way to run the real binary in it, and people database files.

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

// The database bytes of a list of people, (name, year, month, day) each, as
// the program writes them.
inline std::string DatabaseBytes(const std::vector<std::vector<std::string>>& people)
{
    std::string bytes = {static_cast<char>(people.size() & 0xFF), static_cast<char>(people.size() >> 8)};
    for (size_t i = 0; i < people.size(); ++i) {
        bytes += i == 0 ? std::string("\xFF\xFF\x00\x00\x05\x00" "CName", 11) : std::string("\x01\x80", 2);
        for (const std::string& field : people[i])
            bytes += static_cast<char>(field.size()) + field;
    }
    return bytes;
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

    void WriteBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }

    std::filesystem::path m_dir;
};
