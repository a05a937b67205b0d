#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one orvina-cli command; `args` excludes the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
