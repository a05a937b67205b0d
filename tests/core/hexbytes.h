#pragma once

#include "people/name.h"

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

// Pieces of the people database, assembled by hand: the tag that defines
// class "CName", the reference to it (index 1) and the four strings of the
// default person.
inline const std::string kNewClassBytes = Hex("FF FF 00 00 05 00 43 4E 61 6D 65");
inline const std::string kClassRefBytes = Hex("01 80");
inline const std::string kDefaultFieldBytes = Hex("08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31");
inline const CName kDefaultPerson("New Name", "1901", "01", "01");
