#include "app/stringtable.h"

#include "app/commandtable.h"

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

QString Field(const QString& text, int index)
{
    const QStringList fields = text.split(QLatin1Char('\n'));
    return index >= 0 && index < fields.size() ? fields[index] : QString();
}
}

QString StringTable::Load(int32_t id)
{
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return QString::fromLatin1(entry.text);
    }
    const CommandEntry* command = FindCommand(id);
    return command && command->prompt ? QString::fromLatin1(command->prompt) : QString();
}

QString StringTable::DocumentField(int index)
{
    return Field(Load(StringId::kDocument), index);
}

QString StringTable::Prompt(int32_t commandId)
{
    return Field(Load(commandId), 0);
}

QString StringTable::ToolTip(int32_t commandId)
{
    return Field(Load(commandId), 1);
}

QString StringTable::Quoted(const std::string& path)
{
    return QLatin1Char('"') + QString::fromStdString(path) + QLatin1Char('"');
}
