#include "platform/stringtable.h"

#include <QStringList>

namespace {
struct StringEntry {
    int32_t id;
    const char* text;
};

const StringEntry kStrings[] = {
    {StringId::kDocument, "Orvina\nOrvina\nOrvina Document\nBio Files (*.bio)\n.bio"},
    {StringId::kAppTitle, "Orvina 2.1"},
    {StringId::kIdleMessage, "For Help, press F1"},
    {StringId::kIndicatorCaps, "CAP"},
    {StringId::kIndicatorNum, "NUM"},
    {StringId::kIndicatorScroll, "SCRL"},
};
}

QString StringTable::Load(int32_t id)
{
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return QString::fromLatin1(entry.text);
    }
    return QString();
}

QString StringTable::DocumentField(int index)
{
    return Field(Load(StringId::kDocument), index);
}

QString StringTable::Field(const QString& text, int index)
{
    const QStringList fields = text.split(QLatin1Char('\n'));
    return index >= 0 && index < fields.size() ? fields[index] : QString();
}

QString StringTable::Quoted(const std::string& path)
{
    return QLatin1Char('"') + QString::fromStdString(path) + QLatin1Char('"');
}
