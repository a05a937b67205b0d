#include "frame/programsettings.h"

#include "platform/profile.h"

namespace {
const QString kSettingsSection = QStringLiteral("Settings");
const QString kChosenIndexEntry = QStringLiteral("BioName");
const QString kPreviewPagesEntry = QStringLiteral("PreviewPages");
constexpr int32_t kNoPreviewPages = 0;
// What a missing or unreadable value reads as.
constexpr int32_t kMissing = -1;
constexpr const char* kPlacementEntries[] = {"flags", "showCmd", "x1", "y1", "x2", "y2"};
constexpr size_t kPlacementValues = std::size(kPlacementEntries);

using PlacementField = int32_t WindowPlacement::*;
constexpr PlacementField kPlacementFields[kPlacementValues] = {
    &WindowPlacement::flags, &WindowPlacement::showCmd, &WindowPlacement::left,
    &WindowPlacement::top,   &WindowPlacement::right,   &WindowPlacement::bottom,
};
}

int32_t CProgramSettings::ChosenIndex() const
{
    const int32_t chosen = m_profile.GetProfileInt(kSettingsSection, kChosenIndexEntry, kMissing);
    return chosen > 0 ? chosen : 0;
}

bool CProgramSettings::WriteChosenIndex(int32_t index)
{
    return m_profile.WriteProfileInt(kSettingsSection, kChosenIndexEntry, index);
}

int32_t CProgramSettings::PreviewPages() const
{
    return m_profile.GetProfileInt(kSettingsSection, kPreviewPagesEntry, kNoPreviewPages);
}

bool CProgramSettings::WritePreviewPages(int32_t pages)
{
    return m_profile.WriteProfileInt(kSettingsSection, kPreviewPagesEntry, pages);
}

std::optional<WindowPlacement> CProgramSettings::Placement(const QString& section) const
{
    WindowPlacement placement;
    for (size_t i = 0; i < kPlacementValues; ++i) {
        const int32_t value = m_profile.GetProfileInt(section, QLatin1String(kPlacementEntries[i]), kMissing);
        if (value == kMissing)
            return std::nullopt;
        placement.*kPlacementFields[i] = value;
    }
    return placement;
}

bool CProgramSettings::WritePlacement(const QString& section, const WindowPlacement& placement)
{
    for (size_t i = 0; i < kPlacementValues; ++i) {
        if (!m_profile.WriteProfileInt(section, QLatin1String(kPlacementEntries[i]), placement.*kPlacementFields[i]))
            return false;
    }
    return true;
}
