#pragma once

#include <cstdint>

// The program's command ids. They are fixed: the status-bar prompts, the
// accelerators and the toolbar refer to commands by these numbers.
namespace CommandId {
constexpr int32_t kPeople = 32777;
constexpr int32_t kDisplay = 32778;
constexpr int32_t kCompatibility = 32779;
constexpr int32_t kNextMonth = 32781;
constexpr int32_t kPreviousMonth = 32782;
constexpr int32_t kFilePrintSetup = 57606;
constexpr int32_t kFilePrint = 57607;
constexpr int32_t kFilePrintPreview = 57609;
constexpr int32_t kAppAbout = 57664;
constexpr int32_t kAppExit = 57665;
constexpr int32_t kHelpIndex = 57666;
constexpr int32_t kHelpUsing = 57668;
constexpr int32_t kContextHelp = 57669;
constexpr int32_t kHelp = 57670;
constexpr int32_t kDefaultHelp = 57671;
constexpr int32_t kViewToolbar = 59392;
constexpr int32_t kViewStatusBar = 59393;
}
