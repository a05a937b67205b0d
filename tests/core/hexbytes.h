#pragma once

#include <string>

// "01 00 FF" -> the three bytes; spaces separate bytes.
inline std::string Hex(const char* text)
{
    std::string out;
    for (const char* at = text; *at != '\0';) {
        if (*at == ' ') {
            ++at;
            continue;
        }
        out += static_cast<char>(std::stoi(std::string(at, 2), nullptr, 16));
        at += 2;
    }
    return out;
}
