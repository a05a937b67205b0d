#pragma once

#include <QSettings>
#include <QString>

#include <cstdint>
#include <memory>

// The program's one configuration store: QSettings("Quandrel", "Orvina 2.1")
// in native format, which is the registry key
// HKEY_CURRENT_USER\Software\Quandrel\Orvina 2.1 on Windows and
// $XDG_CONFIG_HOME/Quandrel/Orvina 2.1.conf on Linux. Sections are groups.
class Profile {
public:
    static constexpr const char* kCompanyKey = "Quandrel";
    static constexpr const char* kApplicationKey = "Orvina 2.1";

    // The stored 32-bit value, or `defaultValue` when it is missing or is not
    // a whole number within the 32-bit range.
    int32_t GetProfileInt(const QString& section, const QString& entry, int32_t defaultValue) const;
    // Writes the value through to the store; false when the store refused it.
    bool WriteProfileInt(const QString& section, const QString& entry, int32_t value);

private:
    // A QSettings per operation: its status then tells about this write
    // alone, and every instance shares Qt's cache of the store.
    static std::unique_ptr<QSettings> Open();
    static QString Key(const QString& section, const QString& entry);
};
