#include "platform/profile.h"

#include <limits>

std::unique_ptr<QSettings> Profile::Open()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kCompanyKey, kApplicationKey);
}

QString Profile::Key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}

int32_t Profile::GetProfileInt(const QString& section, const QString& entry, int32_t defaultValue) const
{
    const QVariant value = Open()->value(Key(section, entry));
    if (!value.isValid())
        return defaultValue;

    // The registry hands back a DWORD as a number, the Linux file hands back
    // text; anything that is not a plain whole number counts as unreadable.
    bool ok{};
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
        return defaultValue;
    return static_cast<int32_t>(number);
}

bool Profile::WriteProfileInt(const QString& section, const QString& entry, int32_t value)
{
    const std::unique_ptr<QSettings> settings = Open();
    settings->setValue(Key(section, entry), static_cast<int>(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}
