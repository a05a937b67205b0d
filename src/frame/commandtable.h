#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Everything the program says and does about one command, in one entry: its
// menu item and accelerator, its status-bar prompt and tooltip, where the
// help tells about it, its What's This text and its place on the toolbar. An
// entry with no menu is reached only by its accelerator or its toolbar
// button; an entry with a menu but id 0 is a separator.
struct CommandEntry {
    static constexpr int kNoButton = -1;

    const char* menu;         // "&File", or nullptr
    const char* text;         // item text with its "\t" accelerator hint
    int32_t id;
    const char* accelerator;  // QKeySequence portable text, or nullptr
    const char* prompt;       // status-bar prompt, "\n", tooltip; nullptr for none
    const char* helpTopic;    // help page, with an anchor where it covers several things
    const char* whatsThis;    // What's This text; nullptr for none
    int toolBarSlot;          // place on the toolbar from 0, or kNoButton
};

// The whole command set in menu order: menu 128 and accelerator table 128.
const std::vector<CommandEntry>& CommandTable();

// The entry of `id`, or nullptr.
const CommandEntry* FindCommand(int32_t id);

// The status-bar prompt of command `id`, and its tooltip; empty for none.
QString CommandPrompt(int32_t id);
QString CommandToolTip(int32_t id);

// The toolbar's entries in order: command ids, with 0 where a slot that no
// command takes makes a separator.
std::vector<int32_t> ToolBarCommands();
