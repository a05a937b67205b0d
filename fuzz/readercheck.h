#pragma once

#include <string_view>

// Reads `bytes` as a people database and aborts when the result breaks a
// rule: a fault lies within the bytes and gives a one-line reason, and a file
// that reads without a fault survives a write and a second read unchanged,
// with a stable write, also from a list that takes the records when asked.
// The sanitizers check the rest.
void CheckReader(std::string_view bytes);
