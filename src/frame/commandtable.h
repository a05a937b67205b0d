#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// One entry of the main menu and accelerator table. An entry with no menu is
// reached only by its accelerator (or, later, a toolbar button); an entry
// with a menu but id 0 is a separator.
struct CommandEntry {
    const char* menu;         // "&File", or nullptr
    const char* text;         // item text with its "\t" accelerator hint
    int32_t id;
    const char* accelerator;  // QKeySequence portable text, or nullptr
    const char* prompt;       // status-bar prompt, "\n", tooltip; nullptr for none
};

// The whole command set in menu order: menu 128 and accelerator table 128.
const std::vector<CommandEntry>& CommandTable();

// The entry of `id`, or nullptr.
const CommandEntry* FindCommand(int32_t id);

// The status-bar prompt of command `id`, and its tooltip; empty for none.
QString CommandPrompt(int32_t id);
QString CommandToolTip(int32_t id);
