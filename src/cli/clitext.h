#pragma once

#include "calc/cycles.h"
#include "platform/clock.h"

#include <iosfwd>
#include <string>

class QJsonObject;

// The cycles' names as the text shows them and as JSON keys, indexed by Cycle.
inline constexpr const char* kCycleNames[kCycleCount] = {"Physical", "Emotional", "Intellectual", "Intuitional"};
inline constexpr const char* kCycleKeys[kCycleCount] = {"physical", "emotional", "intellectual", "intuitional"};

// "YYYY-MM-DD", the year with at least four digits and its sign when negative.
std::string FormatDate(const CDate& date);

// A stored name as UTF-8, decoded as the chart shows it.
std::string DecodeName(const std::string& stored);

// Writes `document` as indented JSON.
void WriteJson(std::ostream& out, const QJsonObject& document);
