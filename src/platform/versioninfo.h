#pragma once

// The program's version block.
namespace VersionInfo {
constexpr const char* kProductName = "Orvina 2.1";
constexpr const char* kProductVersion = "2.1.0.1";
constexpr const char* kFileVersion = "1.0.0.1";
constexpr const char* kCompanyName = "Quandrel";
constexpr const char* kInternalName = "OVIX";
}
