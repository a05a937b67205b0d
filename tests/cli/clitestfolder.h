#pragma once

// What the end-to-end tests of orvina-cli share: a temporary working folder
// per test and a way to run the real binary in it.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A fixture whose tests run orvina-cli in a fresh folder of their own, with
// no display and no Qt platform chosen, as on a headless machine.
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

    CliRun Run(const std::vector<std::string>& args) const
    {
        std::string command = "cd " + ShellQuote(m_dir.string()) +
                              " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ShellQuote(ORVINA_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + ShellQuote(arg);
        const auto errPath = m_dir / "stderr.txt";
        command += " 2>" + ShellQuote(errPath.string());
        CliRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.out.append(buffer, n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = ReadFile(errPath);
        return run;
    }

    void WriteBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }

    std::filesystem::path m_dir;
};
