// The profile store, in a temporary folder: what is written reads back, in
// the store's own file too; what is missing, elsewhere or not a whole 32-bit
// number gives the default.
#include "platform/profile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>
#include <optional>

TEST(Profile, ReadsBackWhatItWroteAndTheDefaultForAnythingElse)
{
    const QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    Profile profile;
    for (const int32_t value : {-1, kMax, kMin}) {
        ASSERT_TRUE(profile.WriteProfileInt("Settings", "BioName", value));
        EXPECT_EQ(profile.GetProfileInt("Settings", "BioName", 12345), value);
        const QSettings file(dir.filePath("Quandrel/Orvina 2.1.conf"), QSettings::IniFormat);
        EXPECT_EQ(file.value("Settings/BioName").toInt(), value);
    }
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, Profile::kCompanyKey, Profile::kApplicationKey);
    const struct { const char* key; const char* text; std::optional<int32_t> value; } rows[] = {
        {"Layout/x1", "2147483647", kMax}, {"Layout/x1", "2147483648", std::nullopt},
        {"Layout/x1", "-2147483648", kMin}, {"Layout/x1", "-2147483649", std::nullopt},
        {"Layout/x1", " 42 ", 42}, {"Layout/x1", "abc", std::nullopt}, {"Layout/x1", "1.5", std::nullopt},
        {"Settings/x1", "5", std::nullopt}, {nullptr, nullptr, std::nullopt}};
    for (const auto& row : rows) {
        store.clear();
        if (row.key)
            store.setValue(row.key, row.text);
        store.sync();
        for (const int32_t fallback : {17, -1})
            EXPECT_EQ(profile.GetProfileInt("Layout", "x1", fallback), row.value.value_or(fallback)) << row.text;
    }
}
