#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// orvina-cli critical: the critical days of a birth date within a range of
// dates, as text, JSON or an iCalendar file.
int CriticalCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err);
