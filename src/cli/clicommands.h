#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of orvina-cli.
constexpr int kExitOk = 0;
constexpr int kExitMissingFile = 1;
constexpr int kExitDamagedFile = 2;
constexpr int kExitUsage = 64;

// Runs one orvina-cli command; `args` excludes the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
