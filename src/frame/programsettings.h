#pragma once

#include "frame/windowplacement.h"

#include <QString>

#include <cstdint>
#include <optional>

class Profile;

// The values the program keeps in its profile, each read and written here
// alone, with its section, entry and default: the chosen person and the
// print preview's page count under "Settings", the window's placement under
// "Layout".
class CProgramSettings {
public:
    static constexpr const char* kLayoutSection = "Layout";

    explicit CProgramSettings(Profile& profile) : m_profile(profile) {}

    // "Settings"/"BioName": the chosen person's index, 0 when missing or not
    // above 0.
    int32_t ChosenIndex() const;
    bool WriteChosenIndex(int32_t index);

    // "Settings"/"PreviewPages": the print preview's page count, 0 when missing.
    int32_t PreviewPages() const;
    bool WritePreviewPages(int32_t pages);

    // The placement under `section`: "flags", "showCmd", "x1", "y1", "x2",
    // "y2". None when a value is missing or is -1.
    std::optional<WindowPlacement> Placement(const QString& section) const;
    // Writes the six values in that order and stops at the first write that
    // fails; false then.
    bool WritePlacement(const QString& section, const WindowPlacement& placement);

private:
    Profile& m_profile;
};
